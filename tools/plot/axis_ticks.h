#pragma once

#include <string>
#include <vector>

namespace tokshuf::plot {

// An axis range widened to round numbers, with its tick values.
struct AxisScale {
  double low = 0;
  double high = 1;
  double step = 1;
  std::vector<double> ticks;  // from low to high inclusive
};

// Ticks at 1, 2 or 5 times a power of ten, about `targetTicks` intervals
// covering [min, max]. A range of one value is widened around it, since a
// constant measure (V5 early in a text, say) still needs a readable axis.
AxisScale niceScale(double min, double max, int targetTicks);

// A tick label with no more decimals than the step needs: 0.25, 1.5, 120,
// and thousands of tokens as "20k".
std::string formatTick(double value, double step);

}  // namespace tokshuf::plot
