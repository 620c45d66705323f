#pragma once

#include <string>
#include <vector>

namespace tokshuf::plot {

// An axis range widened to round numbers, with its tick values. On a
// logarithmic axis `low` and `high` are still values (both positive); the
// drawing places log10 of a value between log10(low) and log10(high).
struct AxisScale {
  double low = 0;
  double high = 1;
  double step = 1;
  bool logarithmic = false;
  bool tokenCounts = false;   // labelled as formatTokenCount writes them
  std::vector<double> ticks;  // from low to high inclusive
};

// Ticks at 1, 2 or 5 times a power of ten, about `targetTicks` intervals
// covering [min, max]. A range of one value is widened around it, since a
// constant measure (V5 early in a text, say) still needs a readable axis.
// Any finite min <= max gives finite low < high, even at the limits of a
// double.
AxisScale niceScale(double min, double max, int targetTicks);

// A logarithmic axis covering [min, max], 0 < min <= max: ticks at powers
// of ten when the range spans decades, at 1, 2 and 5 times them otherwise.
AxisScale logScale(double min, double max);

// A tick label with no more decimals than the step needs: 0.25, 1.5, 120,
// and thousands of tokens as "20k".
std::string formatTick(double value, double step);

// A tick label of a token count: as formatTick below a million (so "20k"
// and "150k"), and from a million on in millions or, from a billion on, in
// billions with no more decimals than the step needs: "1.2M", "16M", "2G".
std::string formatTokenCount(double value, double step);

// The label of one of the scale's ticks.
std::string tickLabel(const AxisScale& scale, double tick);

// Where a value falls on the axis: 0 at `low`, 1 at `high`. Never
// overflows; nan for a value the axis cannot show (not finite, or not
// positive on a logarithmic axis).
double axisFraction(const AxisScale& scale, double value);

}  // namespace tokshuf::plot
