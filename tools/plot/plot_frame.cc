#include "plot/plot_frame.h"

#include <algorithm>
#include <cmath>

#include "plot/palette.h"
#include "plot/svg_format.h"
#include "plot/xml_text.h"

namespace tokshuf::plot {
namespace {

// Rounding in the mapping may put a value on the axis's end a hair beyond
// it; such a value is still on the axis.
constexpr double kEdgeTolerance = 1e-9;

double clampedFraction(const AxisScale& scale, double value) {
  const double t = axisFraction(scale, value);
  return std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 0.0;
}

void writeTitleText(std::ostream& out, const AxisTitle& title) {
  if (!title.label.empty()) {
    out << "<tspan class=\"measure\" font-family=\"" << kLabelFontFamily << "\">"
        << xmlEscape(title.label) << "</tspan>";
  }
  out << xmlEscape(title.words);
}

}  // namespace

Placement placement(const AxisScale& scale, double value) {
  const double t = axisFraction(scale, value);
  if (!std::isfinite(t)) return Placement::kUnplaceable;
  if (t < -kEdgeTolerance) return Placement::kBelow;
  if (t > 1 + kEdgeTolerance) return Placement::kAbove;
  return Placement::kInside;
}

bool placeable(const AxisScale& scale, double value) {
  return placement(scale, value) != Placement::kUnplaceable;
}

double Frame::px(double value) const {
  return area.x + clampedFraction(x, value) * area.width;
}

double Frame::py(double value) const {
  return area.y + area.height - clampedFraction(y, value) * area.height;
}

void writeAxes(std::ostream& out, const Frame& f, const AxisTitle& xTitle,
               const AxisTitle& yTitle) {
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
        << coord(y + 3) << "\">" << tickLabel(f.y, tick) << "</text>\n";
  }
  out << "</g>\n<g class=\"x-axis\" font-size=\"9\" text-anchor=\"middle\" fill=\"#333333\">\n";
  const double bottom = a.y + a.height;
  for (double tick : f.x.ticks) {
    const double x = f.px(tick);
    out << "<line class=\"tick\" x1=\"" << coord(x) << "\" y1=\"" << coord(bottom)
        << "\" x2=\"" << coord(x) << "\" y2=\"" << coord(bottom + 4)
        << "\" stroke=\"#999999\" stroke-width=\"0.8\"/>\n";
    out << "<text class=\"tick-label\" x=\"" << coord(x) << "\" y=\""
        << coord(bottom + 14) << "\">" << tickLabel(f.x, tick) << "</text>\n";
  }
  out << "</g>\n";
  out << "<text class=\"axis-title x-title\" x=\"" << coord(a.x + a.width / 2) << "\" y=\""
      << coord(bottom + 27) << "\" font-size=\"10\" text-anchor=\"middle\" fill=\"#333333\">";
  writeTitleText(out, xTitle);
  out << "</text>\n";
  // The y title sits left of the widest tick labels, read bottom to top.
  const double titleX = a.x - 48;
  const double titleY = a.y + a.height / 2;
  out << "<text class=\"axis-title y-title\" x=\"" << coord(titleX) << "\" y=\""
      << coord(titleY) << "\" transform=\"rotate(-90 " << coord(titleX) << " "
      << coord(titleY) << ")\" font-size=\"10\" text-anchor=\"middle\" fill=\"#333333\">";
  writeTitleText(out, yTitle);
  out << "</text>\n";
}

void writeEdgeMark(std::ostream& out, double x, double y, bool up, const char* colour) {
  const double tip = up ? y - 1 : y + 1;
  const double base = up ? y + 5 : y - 5;
  out << "<polygon class=\"off-scale\" fill=\"" << colour << "\" points=\""
      << point(x, tip) << ' ' << point(x - 3.5, base) << ' ' << point(x + 3.5, base)
      << "\"/>\n";
}

}  // namespace tokshuf::plot
