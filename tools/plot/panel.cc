#include "plot/panel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "plot/measure_labels.h"
#include "plot/profile_table.h"
#include "plot/svg_format.h"
#include "plot/value_range.h"
#include "plot/xml_text.h"

namespace tokshuf::plot {
namespace {

// Room inside a panel's box for the caption above, the tick labels and
// axis titles to the left and below, and the off-scale counts to the right
// of the plotting area.
constexpr double kCaptionHeight = 22;
constexpr double kPLineHeight = 11;
constexpr double kLeftAxisWidth = 64;
constexpr double kBottomAxisHeight = 36;
constexpr double kRightMargin = 24;
constexpr double kLoneBandHalfWidth = 3;
// A chunk outside the global envelope is a square a little larger than the
// ring of a chunk outside the pointwise band, so that it reads as the
// stronger finding.
constexpr double kEnvelopeMarkHalfSide = 3.5;

std::vector<const std::vector<double>*> seriesOf(const Series& s) {
  return {&s.observed, &s.mean, &s.lower, &s.upper};
}

Frame frameFor(const PanelData& data, const Box& box) {
  ValueRange bulk;
  double maxX = 0;
  for (const Series& s : data.texts) {
    std::vector<double> values;
    for (const auto* series : seriesOf(s)) {
      values.insert(values.end(), series->begin(), series->end());
    }
    values.insert(values.end(), s.globalLower.begin(), s.globalLower.end());
    values.insert(values.end(), s.globalUpper.begin(), s.globalUpper.end());
    bulk = unite(bulk, bulkRange(std::move(values)));
    for (double x : s.x) maxX = std::max(maxX, x);
  }
  Frame frame;
  const double caption = kCaptionHeight + data.pLines * kPLineHeight;
  frame.area = {box.x + kLeftAxisWidth, box.y + caption,
                box.width - kLeftAxisWidth - kRightMargin,
                box.height - caption - kBottomAxisHeight};
  // Token counts are whole numbers: never ticks closer than one token,
  // and never a negative side, even for an empty text.
  frame.x = data.relative ? niceScale(0, 1, 5) : niceScale(0, std::max(maxX, 4.0), 4);
  frame.x.tokenCounts = !data.relative;
  // Nothing finite: an empty panel that still has an axis.
  frame.y = bulk.empty ? niceScale(0, 0, 4) : niceScale(bulk.min, bulk.max, 4);
  return frame;
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

// The points of a region between two bounds over chunks [first, end):
// along the upper bound, then back along the lower one. A lone chunk is a
// narrow bar, not a bare line.
std::string regionPoints(const Series& s, const std::vector<double>& lower,
                         const std::vector<double>& upper, std::size_t first, std::size_t end,
                         const Frame& f) {
  if (end - first == 1) {
    const double x = f.px(s.x[first]);
    const double top = f.py(upper[first]);
    const double bottom = f.py(lower[first]);
    return point(x - kLoneBandHalfWidth, top) + ' ' + point(x + kLoneBandHalfWidth, top) + ' ' +
           point(x + kLoneBandHalfWidth, bottom) + ' ' + point(x - kLoneBandHalfWidth, bottom);
  }
  std::string points;
  for (std::size_t i = first; i < end; ++i) points += point(f.px(s.x[i]), f.py(upper[i])) + ' ';
  for (std::size_t i = end; i-- > first;) {
    points += point(f.px(s.x[i]), f.py(lower[i])) + (i == first ? "" : " ");
  }
  return points;
}

// The stretches of chunks where both bounds can be placed.
std::vector<std::pair<std::size_t, std::size_t>> boundedRuns(const Series& s,
                                                             const std::vector<double>& lower,
                                                             const std::vector<double>& upper,
                                                             const Frame& f) {
  if (lower.empty() || upper.empty()) return {};
  return runsWhere(s.x.size(), [&](std::size_t i) {
    return placeable(f.y, lower[i]) && placeable(f.y, upper[i]);
  });
}

// The band is one polygon per stretch of chunks with both bounds finite.
// A bound beyond the axis is drawn at the edge, so the band runs out of
// the panel there.
void writeBand(std::ostream& out, const Series& s, const Frame& f) {
  for (auto [first, end] : boundedRuns(s, s.lower, s.upper, f)) {
    out << "<polygon class=\"band\" fill=\"" << s.style.band << "\" fill-opacity=\""
        << s.style.bandOpacity << "\" stroke=\"none\" points=\""
        << regionPoints(s, s.lower, s.upper, first, end, f) << "\"/>\n";
  }
}

// The global envelope is wider than the band and usually encloses it: an
// outline without fill, dotted, so that the band and the lines inside stay
// visible. It breaks where the test left chunks out (nan bounds).
void writeEnvelope(std::ostream& out, const Series& s, const Frame& f) {
  for (auto [first, end] : boundedRuns(s, s.globalLower, s.globalUpper, f)) {
    out << "<polygon class=\"envelope\" fill=\"none\" stroke=\"" << s.style.envelope
        << "\" stroke-width=\"1.3\" stroke-dasharray=\"1.5 2\" stroke-linejoin=\"round\" "
        << "points=\"" << regionPoints(s, s.globalLower, s.globalUpper, first, end, f)
        << "\"/>\n";
  }
}

// A line through the values that `usable` accepts, broken elsewhere so
// that no segment pretends to know what lies in between.
std::string linePath(const std::vector<double>& xs, const std::vector<double>& ys,
                     const Frame& f, auto usable) {
  std::string d;
  for (auto [first, end] : runsWhere(xs.size(), usable)) {
    for (std::size_t i = first; i < end; ++i) {
      if (!d.empty()) d += ' ';
      d += i == first ? 'M' : 'L';
      d += point(f.px(xs[i]), f.py(ys[i]));
    }
  }
  return d;
}

void writeMean(std::ostream& out, const Series& s, const Frame& f) {
  if (s.mean.empty()) return;
  const std::string path =
      linePath(s.x, s.mean, f, [&](std::size_t i) { return placeable(f.y, s.mean[i]); });
  if (path.empty()) return;
  out << "<path class=\"mean\" fill=\"none\" stroke=\"" << s.style.mean
      << "\" stroke-width=\"1.2\" stroke-dasharray=\"4 3\" d=\"" << path << "\"/>\n";
}

// Empirical values beyond the axis, counted per edge.
struct OffScale {
  int below = 0;
  int above = 0;
};

void writeObserved(std::ostream& out, const Series& s, const Frame& f, OffScale& offScale) {
  auto inside = [&](std::size_t i) { return placement(f.y, s.observed[i]) == Placement::kInside; };
  const std::string path = linePath(s.x, s.observed, f, inside);
  if (!path.empty()) {
    out << "<path class=\"observed\" fill=\"none\" stroke=\"" << s.style.line
        << "\" stroke-width=\"1.4\" d=\"" << path << "\"/>\n";
  }
  const std::vector<bool> outside = outsideBand(s);
  const std::vector<bool> beyondEnvelope = outsideEnvelope(s);
  for (std::size_t i = 0; i < s.observed.size(); ++i) {
    const Placement where = placement(f.y, s.observed[i]);
    if (where == Placement::kUnplaceable) continue;
    const double x = f.px(s.x[i]);
    if (where != Placement::kInside) {
      const bool up = where == Placement::kAbove;
      ++(up ? offScale.above : offScale.below);
      writeEdgeMark(out, x, up ? f.area.y : f.area.y + f.area.height, up, s.style.line);
      continue;
    }
    const std::string cx = coord(x);
    const std::string cy = coord(f.py(s.observed[i]));
    if (beyondEnvelope[i]) {
      const double y = f.py(s.observed[i]);
      const double h = kEnvelopeMarkHalfSide;
      out << "<rect class=\"point outside-envelope\" x=\"" << coord(x - h) << "\" y=\""
          << coord(y - h) << "\" width=\"" << coord(2 * h) << "\" height=\"" << coord(2 * h)
          << "\" fill=\"" << s.style.outsideFill
          << "\" stroke=\"#111111\" stroke-width=\"1\"/>\n";
    } else if (outside[i]) {
      out << "<circle class=\"point outside\" cx=\"" << cx << "\" cy=\"" << cy
          << "\" r=\"3.4\" fill=\"" << s.style.outsideFill << "\" stroke=\""
          << s.style.outsideStroke << "\" stroke-width=\"0.9\"/>\n";
    } else {
      out << "<circle class=\"point\" cx=\"" << cx << "\" cy=\"" << cy << "\" r=\"2.2\" fill=\""
          << s.style.line << "\"/>\n";
    }
  }
}

// The counts of empirical values beyond the axis, right of the area's top
// and bottom corners, where no data is drawn.
void writeOffScaleCounts(std::ostream& out, const OffScale& offScale, const Frame& f) {
  const double x = f.area.x + f.area.width + 3;
  if (offScale.above > 0) {
    out << "<text class=\"off-scale-count\" x=\"" << coord(x) << "\" y=\""
        << coord(f.area.y + 7) << "\" font-size=\"9\" fill=\"#333333\">\u25B2"
        << offScale.above << "</text>\n";
  }
  if (offScale.below > 0) {
    out << "<text class=\"off-scale-count\" x=\"" << coord(x) << "\" y=\""
        << coord(f.area.y + f.area.height) << "\" font-size=\"9\" fill=\"#333333\">\u25BC"
        << offScale.below << "</text>\n";
  }
}

// A p is shown as written, but a measure whose every chunk was left out of
// the test has none ("nan" in the file), and reads "not tested".
bool tested(const std::string& p) { return p.find("nan") == std::string::npos; }

// " · p = 0.0002" after a lone text's description.
std::string loneP(const PanelData& d) {
  if (d.texts.size() != 1 || d.texts[0].p.empty()) return "";
  const std::string& p = d.texts[0].p;
  return "<tspan class=\"p-value\" font-weight=\"normal\" font-size=\"10\" font-family=\"" +
         std::string(kFontFamily) + "\" fill=\"#111111\"> \u00B7 " +
         (tested(p) ? "p = " + xmlEscape(p) : "not tested") + "</tspan>";
}

// Several texts' p-values under the caption, each in its text's colour
// ("p = 0.0010  0.0418  not tested"): beside the description they would
// run out of the panel.
void writePValueLines(std::ostream& out, const PanelData& d, const Frame& f, double top) {
  if (d.pLines == 0) return;
  int placed = 0;
  for (const Series& s : d.texts) {
    if (s.p.empty()) continue;
    if (placed % kPValuesPerLine == 0) {
      const int line = placed / kPValuesPerLine;
      out << (placed > 0 ? "</text>\n" : "") << "<text class=\"p-values\" x=\""
          << coord(f.area.x) << "\" y=\"" << coord(top + (line + 1) * kPLineHeight)
          << "\" font-size=\"9.5\" fill=\"#333333\">" << (line == 0 ? "p = " : "");
    } else {
      out << "  ";
    }
    out << "<tspan fill=\"" << s.style.line << "\">"
        << (tested(s.p) ? xmlEscape(s.p) : "not tested") << "</tspan>";
    ++placed;
  }
  if (placed > 0) out << "</text>\n";
}

void writeCaption(std::ostream& out, const PanelData& d, const Box& box, const Frame& f) {
  out << "<text class=\"label\" x=\"" << coord(f.area.x) << "\" y=\"" << coord(box.y + 15)
      << "\" font-size=\"12\" font-weight=\"bold\" font-family=\"" << kLabelFontFamily
      << "\" fill=\"#111111\">" << xmlEscape(schema::measureLabel(d.column))
      << " <tspan class=\"description\" font-weight=\"normal\" font-size=\"10\" font-family=\""
      << kFontFamily << "\" fill=\"#555555\" dx=\"2\">"
      << xmlEscape(captionDescription(d.column)) << "</tspan>" << loneP(d) << "</text>\n";
  writePValueLines(out, d, f, box.y + 15);
  const int nonFinite = countNonFinite(d);
  if (nonFinite == 0) return;
  // Above the plotting area, so that it never covers a point.
  out << "<text class=\"non-finite\" x=\"" << coord(f.area.x + f.area.width) << "\" y=\""
      << coord(box.y + 15) << "\" font-size=\"9\" text-anchor=\"end\" fill=\""
      << kOutsideColour << "\">" << nonFinite << " non-finite</text>\n";
}

}  // namespace

std::vector<bool> outsideBand(const Series& s) {
  std::vector<bool> outside(s.observed.size(), false);
  if (s.lower.empty() || s.upper.empty()) return outside;
  for (std::size_t i = 0; i < outside.size(); ++i) {
    const double v = s.observed[i];
    // Comparisons with nan are false, so a missing bound marks nothing.
    outside[i] = std::isfinite(v) && (v < s.lower[i] || v > s.upper[i]);
  }
  return outside;
}

std::vector<bool> outsideEnvelope(const Series& s) {
  std::vector<bool> outside(s.observed.size(), false);
  if (s.globalLower.empty() || s.globalUpper.empty()) return outside;
  for (std::size_t i = 0; i < outside.size(); ++i) {
    const double v = s.observed[i];
    outside[i] = std::isfinite(v) && (v < s.globalLower[i] || v > s.globalUpper[i]);
  }
  return outside;
}

int countNonFinite(const PanelData& d) {
  int count = 0;
  for (const Series& s : d.texts) {
    for (const auto* series : seriesOf(s)) {
      count += static_cast<int>(std::count_if(series->begin(), series->end(),
                                              [](double v) { return !std::isfinite(v); }));
    }
  }
  return count;
}

void writePanel(std::ostream& out, const PanelData& data, const Box& box) {
  const Frame frame = frameFor(data, box);
  const char* label = schema::measureLabel(data.column);
  out << "<g class=\"panel\" id=\"panel-" << xmlEscape(label) << "\" font-family=\""
      << kFontFamily << "\">\n";
  writeAxes(out, frame, {"", data.relative ? "share of the text read" : "tokens read (N)"},
            {label, ""});
  // Bands first, so that no text's band hides another text's line.
  for (const Series& s : data.texts) writeBand(out, s, frame);
  for (const Series& s : data.texts) writeEnvelope(out, s, frame);
  for (const Series& s : data.texts) writeMean(out, s, frame);
  OffScale offScale;
  for (const Series& s : data.texts) writeObserved(out, s, frame, offScale);
  writeOffScaleCounts(out, offScale, frame);
  writeCaption(out, data, box, frame);
  out << "</g>\n";
}

}  // namespace tokshuf::plot
