#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tokshuf::plot {

// One mark of a legend and what it means. `symbol` is SVG drawn around
// (0, 0), at most 24 wide.
struct LegendEntry {
  std::string symbol;
  std::string text;
};

// Lines of entries, each group starting a new line and wrapping at
// `width`. Returns the y below the last line.
double writeLegend(std::ostream& out, const std::vector<std::vector<LegendEntry>>& groups,
                   double x, double top, double width);

// Ready-made symbols.
std::string lineSymbol(const char* colour, bool dashed, bool withPoint);
std::string bandSymbol(const char* colour, const char* opacity);
std::string pointSymbol(const char* fill, const char* stroke, double radius);
std::string envelopeSymbol(const char* colour);
std::string squareSymbol(const char* fill, const char* stroke);

}  // namespace tokshuf::plot
