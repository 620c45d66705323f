#include "plot/plane_document.h"

#include <cmath>
#include <filesystem>
#include <sstream>

#include "plot/legend.h"
#include "plot/measure_labels.h"
#include "plot/palette.h"
#include "plot/plot_frame.h"
#include "plot/svg_document.h"
#include "plot/svg_format.h"
#include "plot/value_range.h"
#include "plot/xml_text.h"

namespace tokshuf::plot {
namespace {

constexpr double kWidth = 960;
constexpr double kPanelHeight = 640;
constexpr double kMargin = 12;
constexpr double kLegendTop = 48;
constexpr double kLeftAxisWidth = 80;
constexpr double kRightMargin = 40;
constexpr double kCaptionHeight = 24;
constexpr double kBottomAxisHeight = 44;

// One text's values in the two measures, chunk by chunk.
struct Trajectory {
  std::vector<double> x, y;
  std::vector<double> xLower, xUpper, yLower, yUpper;  // empty without bounds
};

Trajectory trajectoryOf(const ProfileRun& run, const PlaneAxes& plane) {
  Trajectory t;
  t.x = measureColumn(run.observed, plane.xColumn);
  t.y = measureColumn(run.observed, plane.yColumn);
  if (run.lower && run.upper) {
    t.xLower = measureColumn(*run.lower, plane.xColumn);
    t.xUpper = measureColumn(*run.upper, plane.xColumn);
    t.yLower = measureColumn(*run.lower, plane.yColumn);
    t.yUpper = measureColumn(*run.upper, plane.yColumn);
  }
  return t;
}

// A round axis over the bulk of each text's values; on a logarithmic axis
// the bulk is judged by orders of magnitude, and only positive values count.
AxisScale scaleFor(const std::vector<std::vector<double>>& texts, bool logarithmic) {
  ValueRange bulk;
  for (const std::vector<double>& values : texts) {
    std::vector<double> judged;
    for (double v : values) {
      if (!logarithmic) {
        judged.push_back(v);
      } else if (v > 0 && std::isfinite(v)) {
        judged.push_back(std::log10(v));
      }
    }
    bulk = unite(bulk, bulkRange(std::move(judged)));
  }
  if (logarithmic) {
    return bulk.empty ? logScale(1, 10)
                      : logScale(std::pow(10.0, bulk.min), std::pow(10.0, bulk.max));
  }
  return bulk.empty ? niceScale(0, 0, 6) : niceScale(bulk.min, bulk.max, 6);
}

AxisTitle axisTitle(int column, bool logarithmic) {
  const std::string description = captionDescription(column);
  const std::string words = description.empty() ? "" : " \u2014 " + description;
  return {schema::measureLabel(column), logarithmic ? words + " (log scale)" : words};
}

struct PointCounts {
  int leftOut = 0;
  int offScale = 0;
};

bool inside(const Frame& f, double x, double y) {
  return placement(f.x, x) == Placement::kInside && placement(f.y, y) == Placement::kInside;
}

void writeCrosses(std::ostream& out, const Trajectory& t, const Frame& f, const char* colour) {
  if (t.xLower.empty()) return;
  out << "<g class=\"crosses\" stroke=\"" << colour
      << "\" stroke-width=\"0.9\" stroke-opacity=\"0.45\">\n";
  for (std::size_t i = 0; i < t.x.size(); ++i) {
    if (!inside(f, t.x[i], t.y[i])) continue;
    const double px = f.px(t.x[i]);
    const double py = f.py(t.y[i]);
    if (placeable(f.x, t.xLower[i]) && placeable(f.x, t.xUpper[i])) {
      out << "<line class=\"cross\" x1=\"" << coord(f.px(t.xLower[i])) << "\" y1=\""
          << coord(py) << "\" x2=\"" << coord(f.px(t.xUpper[i])) << "\" y2=\"" << coord(py)
          << "\"/>\n";
    }
    if (placeable(f.y, t.yLower[i]) && placeable(f.y, t.yUpper[i])) {
      out << "<line class=\"cross\" x1=\"" << coord(px) << "\" y1=\""
          << coord(f.py(t.yLower[i])) << "\" x2=\"" << coord(px) << "\" y2=\""
          << coord(f.py(t.yUpper[i])) << "\"/>\n";
    }
  }
  out << "</g>\n";
}

// The path through the placed points, broken where a point is missing or
// off the scale.
void writePath(std::ostream& out, const Trajectory& t, const Frame& f, const char* colour) {
  std::string d;
  bool drawing = false;
  for (std::size_t i = 0; i < t.x.size(); ++i) {
    if (!inside(f, t.x[i], t.y[i])) {
      drawing = false;
      continue;
    }
    if (!d.empty()) d += ' ';
    d += drawing ? 'L' : 'M';
    d += point(f.px(t.x[i]), f.py(t.y[i]));
    drawing = true;
  }
  if (d.empty()) return;
  out << "<path class=\"trajectory\" fill=\"none\" stroke=\"" << colour
      << "\" stroke-width=\"1.6\" stroke-linejoin=\"round\" d=\"" << d << "\"/>\n";
}

// A label beside a point, written after every path and point so that
// none of them covers it.
struct PointLabel {
  double x;
  double y;
  std::string text;
  const char* colour;
};

void writeLabel(std::ostream& out, const PointLabel& label) {
  const auto& [x, y, text, colour] = label;
  out << "<text class=\"point-label\" x=\"" << coord(x + 7) << "\" y=\"" << coord(y - 6)
      << "\" font-size=\"11\" font-weight=\"bold\" fill=\"" << colour
      << "\" stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\">" << xmlEscape(text)
      << "</text>\n";
}

void writePoints(std::ostream& out, const Trajectory& t, const std::string& name,
                 const Frame& f, const char* colour, PointCounts& counts,
                 std::vector<PointLabel>& labels) {
  std::size_t first = t.x.size();
  std::size_t last = 0;
  for (std::size_t i = 0; i < t.x.size(); ++i) {
    if (!placeable(f.x, t.x[i]) || !placeable(f.y, t.y[i])) {
      ++counts.leftOut;
      continue;
    }
    const double px = f.px(t.x[i]);
    const double py = f.py(t.y[i]);
    if (!inside(f, t.x[i], t.y[i])) {
      ++counts.offScale;
      const Placement y = placement(f.y, t.y[i]);
      writeEdgeMark(out, px, py, y != Placement::kBelow, colour);
      continue;
    }
    first = std::min(first, i);
    last = i;
    out << "<circle class=\"point\" cx=\"" << coord(px) << "\" cy=\"" << coord(py)
        << "\" r=\"2.4\" fill=\"" << colour << "\"/>\n";
  }
  if (first == t.x.size()) return;
  // The ends of the path: a ring where it starts, a ringed dot where it
  // stops, each with its chunk number.
  const double fx = f.px(t.x[first]);
  const double fy = f.py(t.y[first]);
  out << "<circle class=\"first\" cx=\"" << coord(fx) << "\" cy=\"" << coord(fy)
      << "\" r=\"5\" fill=\"#ffffff\" stroke=\"" << colour << "\" stroke-width=\"2\"/>\n";
  labels.push_back({fx, fy, std::to_string(first + 1), colour});
  if (last == first) return;
  const double lx = f.px(t.x[last]);
  const double ly = f.py(t.y[last]);
  out << "<circle class=\"last\" cx=\"" << coord(lx) << "\" cy=\"" << coord(ly)
      << "\" r=\"5\" fill=\"" << colour << "\" stroke=\"#111111\" stroke-width=\"1.2\"/>\n";
  labels.push_back({lx, ly, (name.empty() ? "" : name + " ") + std::to_string(last + 1), colour});
}

void writeCounts(std::ostream& out, const PointCounts& counts, const Frame& f) {
  std::string note;
  if (counts.leftOut > 0) {
    note += std::to_string(counts.leftOut) +
            (counts.leftOut == 1 ? " point cannot be placed" : " points cannot be placed");
  }
  if (counts.offScale > 0) {
    note += (note.empty() ? "" : "; ") + std::to_string(counts.offScale) +
            (counts.offScale == 1 ? " point off scale, at the edge"
                                  : " points off scale, at the edge");
  }
  if (note.empty()) return;
  out << "<text class=\"non-finite\" x=\"" << coord(f.area.x + f.area.width) << "\" y=\""
      << coord(f.area.y - 8) << "\" font-size=\"10\" text-anchor=\"end\" fill=\""
      << kOutsideColour << "\">" << xmlEscape(note) << "</text>\n";
}

// "K against Z \u2014 ..." as plain text and as markup with the labels in
// their face: in the title's sans-serif, lSt would read as ISt.
std::pair<std::string, std::string> titleOf(const std::vector<PlotText>& texts,
                                            const PlaneAxes& plane) {
  const std::string y = schema::measureLabel(plane.yColumn);
  const std::string x = schema::measureLabel(plane.xColumn);
  const std::string rest =
      " \u2014 " + (texts.size() == 1
                        ? std::filesystem::path(texts[0].run.observed.path).filename().string() +
                              ", " + chunkSummary(texts[0].run)
                        : std::to_string(texts.size()) + " texts");
  return {y + " against " + x + rest,
          labelMarkup(y) + " against " + labelMarkup(x) + xmlEscape(rest)};
}

std::vector<LegendEntry> planeKey(const std::vector<PlotText>& texts) {
  const char* grey = "#555555";
  std::vector<LegendEntry> key{
      {pointSymbol("#ffffff", grey, 4), "first chunk"},
      {pointSymbol(grey, "#111111", 4), "last chunk (numbered)"}};
  for (const PlotText& t : texts) {
    if (t.run.lower && t.run.upper) {
      key.push_back({"<path d=\"M4,0 L20,0 M12,-8 L12,8\" stroke=\"#555555\"/>",
                     "interval from .mcl to .mch in each measure"});
      break;
    }
  }
  return key;
}

}  // namespace

void writePlaneSvg(std::ostream& out, const std::vector<PlotText>& texts,
                   const PlaneAxes& plane) {
  std::vector<Trajectory> trajectories;
  // The axes fit the paths; early chunks have bounds far wider than the
  // paths' whole course, and their crosses run out at the edge.
  std::vector<std::vector<double>> xs, ys;
  for (const PlotText& text : texts) {
    trajectories.push_back(trajectoryOf(text.run, plane));
    xs.push_back(trajectories.back().x);
    ys.push_back(trajectories.back().y);
  }
  std::vector<LegendEntry> names = textLegend(texts);
  std::ostringstream legendSvg;
  const double legendBottom =
      writeLegend(legendSvg, {names, planeKey(texts)}, kMargin + 4, kLegendTop,
                  kWidth - 2 * kMargin - 8);
  const Box box{kMargin, legendBottom + 10, kWidth - 2 * kMargin, kPanelHeight};
  Frame frame;
  frame.area = {box.x + kLeftAxisWidth, box.y + kCaptionHeight,
                box.width - kLeftAxisWidth - kRightMargin,
                box.height - kCaptionHeight - kBottomAxisHeight};
  frame.x = scaleFor(xs, plane.logX);
  frame.y = scaleFor(ys, plane.logY);

  const auto [title, titleMarkup] = titleOf(texts, plane);
  writeSvgStart(out, kWidth, box.y + box.height + kMargin, title, titleMarkup);
  out << legendSvg.str();
  out << "<g class=\"panel plane\" font-family=\"" << kFontFamily << "\">\n";
  writeAxes(out, frame, axisTitle(plane.xColumn, plane.logX),
            axisTitle(plane.yColumn, plane.logY));
  PointCounts counts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    writeCrosses(out, trajectories[i], frame, comparedTextStyle(i).line);
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    writePath(out, trajectories[i], frame, comparedTextStyle(i).line);
  }
  std::vector<PointLabel> labels;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    writePoints(out, trajectories[i], texts.size() > 1 ? texts[i].name : "", frame,
                comparedTextStyle(i).line, counts, labels);
  }
  for (const PointLabel& label : labels) writeLabel(out, label);
  writeCounts(out, counts, frame);
  out << "</g>\n</svg>\n";
}

}  // namespace tokshuf::plot
