#include "plot/svg_format.h"

#include <cstdio>

namespace tokshuf::plot {

std::string coord(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.2f", value);
  // "-0.00" would be correct but noisy.
  if (std::string(text) == "-0.00") return "0.00";
  return text;
}

std::string point(double x, double y) { return coord(x) + "," + coord(y); }

}  // namespace tokshuf::plot
