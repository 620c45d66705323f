#pragma once

#include <ostream>
#include <vector>

#include "plot/plot_text.h"

namespace tokshuf::plot {

// Which measures span the plane, and which axes are logarithmic.
struct PlaneAxes {
  int xColumn = 1;  // 1 to 24, as in the profile files
  int yColumn = 1;
  bool logX = false;
  bool logY = false;
};

// Writes the trajectory picture: one panel with measure X across and Y
// up; each text is a path through its chunks' empirical values in chunk
// order, its first and last point marked and labelled, and, where its
// Monte Carlo bounds exist, a cross from the lower to the upper bound in
// each direction at every point. Points that cannot be placed (not finite,
// or not positive on a logarithmic axis) are left out and counted; points
// beyond the bulk of the values sit on the edge and are counted.
void writePlaneSvg(std::ostream& out, const std::vector<PlotText>& texts,
                   const PlaneAxes& plane);

}  // namespace tokshuf::plot
