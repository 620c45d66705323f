#include "plot/axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tokshuf::plot {
namespace {

double niceStep(double rough) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  const double fraction = rough / magnitude;
  if (fraction <= 1.0) return magnitude;
  if (fraction <= 2.0) return 2 * magnitude;
  if (fraction <= 5.0) return 5 * magnitude;
  return 10 * magnitude;
}

}  // namespace

AxisScale niceScale(double min, double max, int targetTicks) {
  if (!(max > min)) {
    const double pad = min != 0 ? std::abs(min) * 0.1 : 1.0;
    min -= pad;
    max += pad;
  }
  AxisScale scale;
  if (!std::isfinite(max - min)) {  // values near the limits of a double
    scale.low = min;
    scale.high = max;
    scale.step = max / 2 - min / 2;
    scale.ticks = {min, max};
    return scale;
  }
  scale.step = niceStep((max - min) / std::max(targetTicks, 1));
  scale.low = std::floor(min / scale.step) * scale.step;
  scale.high = std::ceil(max / scale.step) * scale.step;
  const long count = std::lround((scale.high - scale.low) / scale.step);
  for (long i = 0; i <= count; ++i) {
    // Multiplying, not accumulating, keeps 0.1 + 0.1 + 0.1 from drifting.
    double tick = scale.low + static_cast<double>(i) * scale.step;
    if (std::abs(tick) < scale.step * 1e-9) tick = 0;
    scale.ticks.push_back(tick);
  }
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
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
  }
  return text;
}

}  // namespace tokshuf::plot
