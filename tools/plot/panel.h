#pragma once

#include <ostream>
#include <vector>

namespace tokshuf::plot {

// One measure column of a run, ready to draw. The Monte Carlo series are
// empty when their file is absent; otherwise every series has one value
// per chunk, like `tokens`.
struct PanelData {
  int column = 1;               // 1 to 24, as in the profile files
  std::vector<double> tokens;   // x: the N column
  std::vector<double> observed;
  std::vector<double> mean;
  std::vector<double> lower;
  std::vector<double> upper;
};

struct Box {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// Chunks where the empirical value lies outside the Monte Carlo interval;
// chunks with a non-finite value or without an interval are never outside.
std::vector<bool> outsideBand(const PanelData& data);

// The number of nan and inf values among all series of the panel: they
// cannot be placed on an axis and are left out of the drawing.
int countNonFinite(const PanelData& data);

// Writes one <g class="panel"> into `box`: frame, axes with tick labels,
// the interval band, the dashed mean, the empirical line with its points,
// the marks for chunks outside the band, the measure's label, and the count
// of left-out values in the top right corner.
void writePanel(std::ostream& out, const PanelData& data, const Box& box);

}  // namespace tokshuf::plot
