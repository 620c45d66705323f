#include "plot/axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace tokshuf::plot {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
// Below this width a range is drawn as one value: tick steps of a smaller
// size would underflow, and ticks closer than a double's precision at the
// range's magnitude would print as the same label.
constexpr double kSmallestSpan = 1e-290;
constexpr double kRelativePrecision = 1e-12;

double niceStep(double rough) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  const double fraction = rough / magnitude;
  if (fraction <= 1.0) return magnitude;
  if (fraction <= 2.0) return 2 * magnitude;
  if (fraction <= 5.0) return 5 * magnitude;
  return 10 * magnitude;
}

// Halves keep the width of [min, max] finite for any finite values.
double halfSpan(double min, double max) { return max / 2 - min / 2; }

bool tooNarrow(double min, double max) {
  const double half = halfSpan(min, max);
  const double magnitude = std::max(std::abs(min), std::abs(max));
  return !(half > kSmallestSpan) || half < magnitude * kRelativePrecision;
}

// Two ticks at the ends, for ranges whose round widening would leave the
// doubles.
AxisScale endTicks(double min, double max) {
  AxisScale scale;
  scale.low = min;
  scale.high = max;
  scale.step = halfSpan(min, max);
  scale.ticks = {min, max};
  return scale;
}

}  // namespace

AxisScale niceScale(double min, double max, int targetTicks) {
  if (tooNarrow(min, max)) {
    const double centre = min / 2 + max / 2;
    const double pad = std::abs(centre) * 0.1 > kSmallestSpan ? std::abs(centre) * 0.1 : 1.0;
    min = std::max(centre - pad, -kLargest);
    max = std::min(centre + pad, kLargest);
  }
  if (!std::isfinite(max - min)) return endTicks(min, max);
  AxisScale scale;
  scale.step = niceStep((max - min) / std::max(targetTicks, 1));
  scale.low = std::floor(min / scale.step) * scale.step;
  scale.high = std::ceil(max / scale.step) * scale.step;
  if (!std::isfinite(scale.low) || !std::isfinite(scale.high) ||
      !std::isfinite(scale.high - scale.low)) {
    return endTicks(min, max);
  }
  const long count = std::lround((scale.high - scale.low) / scale.step);
  for (long i = 0; i <= count; ++i) {
    // Multiplying, not accumulating, keeps 0.1 + 0.1 + 0.1 from drifting.
    double tick = scale.low + static_cast<double>(i) * scale.step;
    if (std::abs(tick) < scale.step * 1e-9) tick = 0;
    scale.ticks.push_back(tick);
  }
  return scale;
}

AxisScale logScale(double min, double max) {
  AxisScale scale;
  scale.logarithmic = true;
  // The ends are the nearest of 1, 2 and 5 times a power of ten around
  // the values, so that little of the axis stays empty.
  const double lowExponent = std::floor(std::log10(min)) - 1;
  const double highExponent = std::ceil(std::log10(max)) + 1;
  std::vector<double> candidates;
  for (double e = lowExponent; e <= highExponent; ++e) {
    for (double m : {1.0, 2.0, 5.0}) candidates.push_back(m * std::pow(10.0, e));
  }
  scale.low = 0;
  scale.high = 0;
  for (double c : candidates) {
    if (c < min || (c == min && min < max)) scale.low = c;
  }
  for (auto c = candidates.rbegin(); c != candidates.rend(); ++c) {
    if (*c > max || (*c == max && min < max)) scale.high = *c;
  }
  if (!(scale.low > 0) || !std::isfinite(scale.high) || !(scale.high > scale.low)) {
    // Values at the ends of the doubles: ticks at the values themselves.
    scale.low = min;
    scale.high = max > min ? max : min * 10;
    if (!std::isfinite(scale.high)) scale.high = kLargest;
    if (!(scale.high > scale.low)) scale.low = scale.high / 10;
    scale.ticks = {scale.low, scale.high};
    scale.step = scale.low;
    return scale;
  }
  // Over three decades or more, ticks at powers of ten only (at most
  // about six of them); otherwise at 1, 2 and 5 times them.
  const double decades = std::log10(scale.high) - std::log10(scale.low);
  const double stride = std::max(1.0, std::ceil(decades / 6));
  for (double c : candidates) {
    if (c < scale.low || c > scale.high) continue;
    const double exponent = std::round(std::log10(c));
    const bool powerOfTen = std::abs(std::log10(c) - exponent) < 1e-9;
    if (decades < 3 || (powerOfTen && std::fmod(exponent, stride) == 0)) scale.ticks.push_back(c);
  }
  if (scale.ticks.size() < 2) scale.ticks = {scale.low, scale.high};
  scale.step = scale.low;
  return scale;
}

std::string formatTick(double value, double step) {
  char text[64];
  if (value == 0) return "0";
  const double magnitude = std::abs(value);
  if (magnitude >= 1e7 || magnitude < 1e-4) {
    std::snprintf(text, sizeof text, "%.3g", value);
  } else if (magnitude >= 1000 && std::fmod(step, 1000) == 0) {
    std::snprintf(text, sizeof text, "%.0fk", value / 1000);
  } else {
    const int decimals = std::clamp(
        static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 12);
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
  }
  return text;
}

std::string formatTokenCount(double value, double step) {
  const double magnitude = std::abs(value);
  if (magnitude < 1e6) return formatTick(value, step);
  const double unit = magnitude < 1e9 ? 1e6 : 1e9;
  const int decimals =
      std::clamp(static_cast<int>(-std::floor(std::log10(step / unit) + 1e-9)), 0, 3);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value / unit);
  // A step of 0.5M gives 1.5M, but 1M rather than 1.0M.
  std::string label = text;
  if (label.find('.') != std::string::npos) {
    label.erase(label.find_last_not_of('0') + 1);
    if (label.back() == '.') label.pop_back();
  }
  return label + (unit == 1e6 ? "M" : "G");
}

std::string tickLabel(const AxisScale& scale, double tick) {
  // Logarithmic ticks are not evenly spaced: each needs the decimals of
  // its own magnitude.
  const double step = scale.logarithmic ? tick : scale.step;
  return scale.tokenCounts ? formatTokenCount(tick, step) : formatTick(tick, step);
}

double axisFraction(const AxisScale& scale, double value) {
  if (!std::isfinite(value)) return kNan;
  if (scale.logarithmic) {
    if (!(value > 0)) return kNan;
    const double low = std::log10(scale.low);
    return (std::log10(value) - low) / (std::log10(scale.high) - low);
  }
  return (value / 2 - scale.low / 2) / halfSpan(scale.low, scale.high);
}

}  // namespace tokshuf::plot
