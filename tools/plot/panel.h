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
};

// One measure column of one or more runs, ready to draw.
struct PanelData {
  int column = 1;     // 1 to 24, as in the profile files
  bool relative = false;  // x is the share of the text read, 0 to 1
  std::vector<Series> texts;
};

// Chunks where the empirical value lies outside the Monte Carlo interval;
// chunks with a non-finite value or without an interval are never outside.
std::vector<bool> outsideBand(const Series& series);

// The number of values among all series of the panel that cannot be
// placed on an axis (nan and inf): they are left out of the drawing.
int countNonFinite(const PanelData& data);

// Writes one <g class="panel"> into `box`: frame, axes with tick labels and
// titles, per text the interval band, the dashed mean, the empirical line
// with its points and the marks for chunks outside the band; the measure's
// label, and the count of left-out values above the plotting area. The
// vertical axis keeps to the bulk of the values; empirical values beyond
// it are marked at the top or bottom edge and counted beside it.
void writePanel(std::ostream& out, const PanelData& data, const Box& box);

}  // namespace tokshuf::plot
