#pragma once

#include <ostream>
#include <string>

#include "plot/axis_ticks.h"

namespace tokshuf::plot {

struct Box {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// Where a value lies relative to an axis.
enum class Placement {
  kInside,
  kBelow,        // finite, but under the axis's low end
  kAbove,        // finite, but over its high end
  kUnplaceable,  // not finite, or not positive on a logarithmic axis
};

Placement placement(const AxisScale& scale, double value);

// Anything but kUnplaceable: on the axis or beyond one of its ends.
bool placeable(const AxisScale& scale, double value);

// Maps data values onto a plotting area. Values beyond an axis land on its
// edge, so that every coordinate written is finite and inside the area.
struct Frame {
  Box area;
  AxisScale x;
  AxisScale y;
  double px(double value) const;
  double py(double value) const;
};

// An axis title: a measure's label, in the label face, and words.
struct AxisTitle {
  std::string label;
  std::string words;
};

// The frame, grid lines, ticks and tick labels, and the two axis titles
// (the vertical one turned to read upwards).
void writeAxes(std::ostream& out, const Frame& frame, const AxisTitle& xTitle,
               const AxisTitle& yTitle);

// A small triangle at the area's top or bottom edge pointing out of it,
// for a value beyond the axis.
void writeEdgeMark(std::ostream& out, double x, double y, bool up, const char* colour);

}  // namespace tokshuf::plot
