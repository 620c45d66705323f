#pragma once

#include <vector>

namespace tokshuf::plot {

// The span an axis shows: all finite values but a few that lie so far
// out that they would press every other value onto one line (Sichel's b
// of a tiny text can reach -1e15 while its other chunks stay near -1).
// Those are drawn at the panel's edge instead.
struct ValueRange {
  bool empty = true;  // no finite value at all
  double min = 0;
  double max = 0;
};

// `values` may hold non-finite values; they are ignored.
ValueRange bulkRange(std::vector<double> values);

// The span covering both. Texts are judged one by one and their spans
// united, so that a text far from the others is never taken for a stray.
ValueRange unite(const ValueRange& a, const ValueRange& b);

}  // namespace tokshuf::plot
