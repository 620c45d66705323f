#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "plot/palette.h"
#include "plot/plot_frame.h"

namespace tokshuf::plot {

// One text's share of a panel. The Monte Carlo series are empty when their
// file is absent; otherwise every series has one value per chunk, like `x`.
struct Series {
  TextStyle style;
  std::vector<double> x;  // tokens read, or the share of the text read
  std::vector<double> observed;
  std::vector<double> mean;
  std::vector<double> lower;
  std::vector<double> upper;
  std::vector<double> globalLower;  // the global envelope, from .mgl
  std::vector<double> globalUpper;  // and .mgh
  std::string p;                    // the global test's p as written; empty without
};

// One measure of one or more runs, ready to draw. A text without the
// measure has no series in it.
struct PanelData {
  int column = 1;     // the measure, 1 to 38 (1 to 24 the columns of a default run)
  bool relative = false;  // x is the share of the text read, 0 to 1
  std::vector<Series> texts;
  // Lines below the caption for the p of several texts, the same in every
  // panel of a picture so that the plotting areas line up; a lone text's
  // p stands in the caption itself.
  int pLines = 0;
};

// Several texts' p-values go this many to a line under the caption.
inline constexpr int kPValuesPerLine = 4;

// Chunks where the empirical value lies outside the Monte Carlo interval;
// chunks with a non-finite value or without an interval are never outside.
std::vector<bool> outsideBand(const Series& series);

// The same for the global envelope: chunks where the empirical value lies
// strictly outside it.
std::vector<bool> outsideEnvelope(const Series& series);

// The number of values among the series of the panel that cannot be
// placed on an axis (nan and inf): they are left out of the drawing. The
// global envelope is not counted: it is nan by design where a chunk was
// left out of the test.
int countNonFinite(const PanelData& data);

// Writes one <g class="panel"> into `box`: frame, axes with tick labels and
// titles, per text the interval band, the outline of the global envelope,
// the dashed mean, the empirical line with its points and the marks for
// chunks outside the band or the envelope; the measure's label with the
// global test's p, and the count of left-out values above the plotting
// area. The
// vertical axis keeps to the bulk of the values; empirical values beyond
// it are marked at the top or bottom edge and counted beside it.
void writePanel(std::ostream& out, const PanelData& data, const Box& box);

}  // namespace tokshuf::plot
