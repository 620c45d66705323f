#include "plot/panel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "plot/axis_ticks.h"
#include "plot/measure_labels.h"
#include "plot/palette.h"
#include "plot/profile_table.h"
#include "plot/svg_format.h"
#include "plot/xml_text.h"

namespace tokshuf::plot {
namespace {

// Room inside a panel's box for the caption above and the tick labels to
// the left and below the plotting area.
constexpr double kCaptionHeight = 22;
constexpr double kLeftAxisWidth = 50;
constexpr double kBottomAxisHeight = 24;
constexpr double kRightPad = 10;
constexpr double kLoneBandHalfWidth = 3;

// Maps data values onto the plotting area.
struct Frame {
  Box area;
  AxisScale x;
  AxisScale y;
  double px(double value) const {
    return area.x + (value - x.low) / (x.high - x.low) * area.width;
  }
  double py(double value) const {
    return area.y + area.height - (value - y.low) / (y.high - y.low) * area.height;
  }
};

void widenToFinite(const std::vector<double>& values, double& min, double& max) {
  for (double v : values) {
    if (!std::isfinite(v)) continue;
    min = std::min(min, v);
    max = std::max(max, v);
  }
}

Frame frameFor(const PanelData& data, const Box& box) {
  double min = std::numeric_limits<double>::infinity();
  double max = -min;
  for (const auto* series : {&data.observed, &data.mean, &data.lower, &data.upper}) {
    widenToFinite(*series, min, max);
  }
  if (min > max) min = max = 0;  // nothing finite: an empty panel with an axis
  const double maxTokens =
      data.tokens.empty() ? 0 : *std::max_element(data.tokens.begin(), data.tokens.end());
  Frame frame;
  frame.area = {box.x + kLeftAxisWidth, box.y + kCaptionHeight,
                box.width - kLeftAxisWidth - kRightPad,
                box.height - kCaptionHeight - kBottomAxisHeight};
  // Token counts are whole numbers: never ticks closer than one token,
  // and never a negative side, even for an empty text.
  frame.x = niceScale(0, std::max(maxTokens, 4.0), 4);
  frame.y = niceScale(min, max, 4);
  return frame;
}

void writeAxes(std::ostream& out, const Frame& f) {
  const Box& a = f.area;
  out << "<rect class=\"frame\" x=\"" << coord(a.x) << "\" y=\"" << coord(a.y)
      << "\" width=\"" << coord(a.width) << "\" height=\"" << coord(a.height)
      << "\" fill=\"#ffffff\" stroke=\"#999999\" stroke-width=\"0.8\"/>\n";
  out << "<g class=\"y-axis\" font-size=\"9\" text-anchor=\"end\" fill=\"#333333\">\n";
  for (double tick : f.y.ticks) {
    const double y = f.py(tick);
    out << "<line class=\"grid\" x1=\"" << coord(a.x) << "\" y1=\"" << coord(y)
        << "\" x2=\"" << coord(a.x + a.width) << "\" y2=\"" << coord(y)
        << "\" stroke=\"#e4e4e4\" stroke-width=\"0.6\"/>\n";
    out << "<text class=\"tick-label\" x=\"" << coord(a.x - 4) << "\" y=\""
        << coord(y + 3) << "\">" << formatTick(tick, f.y.step) << "</text>\n";
  }
  out << "</g>\n<g class=\"x-axis\" font-size=\"9\" text-anchor=\"middle\" fill=\"#333333\">\n";
  for (double tick : f.x.ticks) {
    const double x = f.px(tick);
    const double bottom = a.y + a.height;
    out << "<line class=\"tick\" x1=\"" << coord(x) << "\" y1=\"" << coord(bottom)
        << "\" x2=\"" << coord(x) << "\" y2=\"" << coord(bottom + 4)
        << "\" stroke=\"#999999\" stroke-width=\"0.8\"/>\n";
    out << "<text class=\"tick-label\" x=\"" << coord(x) << "\" y=\""
        << coord(bottom + 14) << "\">" << formatTick(tick, f.x.step) << "</text>\n";
  }
  out << "</g>\n";
}

// Indices [first, last) of the maximal runs of chunks where `usable` holds.
std::vector<std::pair<std::size_t, std::size_t>> runsWhere(std::size_t count, auto usable) {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  for (std::size_t i = 0; i < count;) {
    if (!usable(i)) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < count && usable(end)) ++end;
    runs.emplace_back(i, end);
    i = end;
  }
  return runs;
}

// The band is one polygon per stretch of chunks with both bounds finite:
// along the upper bound, then back along the lower one.
void writeBand(std::ostream& out, const PanelData& d, const Frame& f) {
  if (d.lower.empty() || d.upper.empty()) return;
  auto usable = [&](std::size_t i) {
    return std::isfinite(d.lower[i]) && std::isfinite(d.upper[i]);
  };
  for (auto [first, end] : runsWhere(d.tokens.size(), usable)) {
    out << "<polygon class=\"band\" fill=\"" << kBandColour
        << "\" fill-opacity=\"" << kBandOpacity << "\" stroke=\"none\" points=\"";
    if (end - first == 1) {  // a lone chunk: a narrow bar, not a bare line
      const double x = f.px(d.tokens[first]);
      const double top = f.py(d.upper[first]);
      const double bottom = f.py(d.lower[first]);
      out << point(x - kLoneBandHalfWidth, top) << ' ' << point(x + kLoneBandHalfWidth, top)
          << ' ' << point(x + kLoneBandHalfWidth, bottom) << ' '
          << point(x - kLoneBandHalfWidth, bottom) << "\"/>\n";
      continue;
    }
    for (std::size_t i = first; i < end; ++i) {
      out << point(f.px(d.tokens[i]), f.py(d.upper[i])) << ' ';
    }
    for (std::size_t i = end; i-- > first;) {
      out << point(f.px(d.tokens[i]), f.py(d.lower[i])) << (i == first ? "" : " ");
    }
    out << "\"/>\n";
  }
}

// A line through the finite values, broken where a value is left out so
// that no segment pretends to know what lies in between.
std::string linePath(const std::vector<double>& xs, const std::vector<double>& ys,
                     const Frame& f) {
  std::string d;
  auto usable = [&](std::size_t i) { return std::isfinite(ys[i]); };
  for (auto [first, end] : runsWhere(xs.size(), usable)) {
    for (std::size_t i = first; i < end; ++i) {
      if (!d.empty()) d += ' ';
      d += i == first ? 'M' : 'L';
      d += point(f.px(xs[i]), f.py(ys[i]));
    }
  }
  return d;
}

void writeMean(std::ostream& out, const PanelData& d, const Frame& f) {
  if (d.mean.empty()) return;
  const std::string path = linePath(d.tokens, d.mean, f);
  if (path.empty()) return;
  out << "<path class=\"mean\" fill=\"none\" stroke=\"" << kMeanColour
      << "\" stroke-width=\"1.2\" stroke-dasharray=\"4 3\" d=\"" << path << "\"/>\n";
}

void writeObserved(std::ostream& out, const PanelData& d, const Frame& f) {
  const std::string path = linePath(d.tokens, d.observed, f);
  if (!path.empty()) {
    out << "<path class=\"observed\" fill=\"none\" stroke=\"" << kObservedColour
        << "\" stroke-width=\"1.4\" d=\"" << path << "\"/>\n";
  }
  const std::vector<bool> outside = outsideBand(d);
  for (std::size_t i = 0; i < d.observed.size(); ++i) {
    if (!std::isfinite(d.observed[i])) continue;
    const std::string cx = coord(f.px(d.tokens[i]));
    const std::string cy = coord(f.py(d.observed[i]));
    if (outside[i]) {
      out << "<circle class=\"point outside\" cx=\"" << cx << "\" cy=\"" << cy
          << "\" r=\"3.4\" fill=\"" << kOutsideColour
          << "\" stroke=\"#ffffff\" stroke-width=\"0.8\"/>\n";
    } else {
      out << "<circle class=\"point\" cx=\"" << cx << "\" cy=\"" << cy << "\" r=\"2.2\" fill=\""
          << kObservedColour << "\"/>\n";
    }
  }
}

void writeCaption(std::ostream& out, const PanelData& d, const Box& box, const Frame& f) {
  out << "<text class=\"label\" x=\"" << coord(f.area.x) << "\" y=\"" << coord(box.y + 15)
      << "\" font-size=\"12\" font-weight=\"bold\" fill=\"#111111\">"
      << xmlEscape(kColumnLabels[d.column]) << " <tspan class=\"description\" "
      << "font-weight=\"normal\" font-size=\"10\" fill=\"#555555\" dx=\"2\">"
      << xmlEscape(measureDescription(d.column)) << "</tspan></text>\n";
  const int nonFinite = countNonFinite(d);
  if (nonFinite == 0) return;
  out << "<text class=\"non-finite\" x=\"" << coord(f.area.x + f.area.width - 3)
      << "\" y=\"" << coord(f.area.y + 11) << "\" font-size=\"9\" text-anchor=\"end\" fill=\""
      << kOutsideColour << "\">" << nonFinite << " non-finite</text>\n";
}

}  // namespace

std::vector<bool> outsideBand(const PanelData& d) {
  std::vector<bool> outside(d.observed.size(), false);
  if (d.lower.empty() || d.upper.empty()) return outside;
  for (std::size_t i = 0; i < outside.size(); ++i) {
    const double v = d.observed[i];
    // Comparisons with nan are false, so a missing bound marks nothing.
    outside[i] = std::isfinite(v) && (v < d.lower[i] || v > d.upper[i]);
  }
  return outside;
}

int countNonFinite(const PanelData& d) {
  int count = 0;
  for (const auto* series : {&d.observed, &d.mean, &d.lower, &d.upper}) {
    count += static_cast<int>(std::count_if(series->begin(), series->end(),
                                            [](double v) { return !std::isfinite(v); }));
  }
  return count;
}

void writePanel(std::ostream& out, const PanelData& data, const Box& box) {
  const Frame frame = frameFor(data, box);
  out << "<g class=\"panel\" id=\"panel-" << xmlEscape(kColumnLabels[data.column])
      << "\" font-family=\"" << kFontFamily << "\">\n";
  writeAxes(out, frame);
  writeBand(out, data, frame);
  writeMean(out, data, frame);
  writeObserved(out, data, frame);
  writeCaption(out, data, box, frame);
  out << "</g>\n";
}

}  // namespace tokshuf::plot
