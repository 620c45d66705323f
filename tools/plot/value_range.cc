#include "plot/value_range.h"

#include <algorithm>
#include <cmath>

namespace tokshuf::plot {
namespace {

// A value is left to the edge when its distance from the others is more
// than this many times their own spread...
constexpr double kFarOut = 10;
// ...and never more than this share of the values (or two, one at each
// end, among few values), so that a panel shows what most of them do.
constexpr double kMostLeftOut = 0.1;

// How far `candidate` lies beyond `nearest`, in units of the spread of the
// values that stay. Halves keep the differences finite; a constant rest
// has no spread that could be squashed, so nothing is far from it.
double farness(double candidate, double nearest, double restLow, double restHigh) {
  const double spread = restHigh / 2 - restLow / 2;
  if (!(spread > 0)) return 0;
  return std::abs(candidate / 2 - nearest / 2) / spread;
}

}  // namespace

ValueRange bulkRange(std::vector<double> values) {
  std::erase_if(values, [](double v) { return !std::isfinite(v); });
  ValueRange range;
  if (values.empty()) return range;
  std::sort(values.begin(), values.end());
  std::size_t low = 0;
  std::size_t high = values.size() - 1;
  const auto mostLeftOut = static_cast<std::size_t>(
      std::max(2.0, std::floor(kMostLeftOut * static_cast<double>(values.size()))));
  // With fewer than three values there is no majority to keep.
  for (std::size_t leftOut = 0; leftOut < mostLeftOut && high - low >= 2; ++leftOut) {
    const double top = farness(values[high], values[high - 1], values[low], values[high - 1]);
    const double bottom = farness(values[low], values[low + 1], values[low + 1], values[high]);
    if (std::max(top, bottom) <= kFarOut) break;
    if (top >= bottom) {
      --high;
    } else {
      ++low;
    }
  }
  range.empty = false;
  range.min = values[low];
  range.max = values[high];
  return range;
}

ValueRange unite(const ValueRange& a, const ValueRange& b) {
  if (a.empty) return b;
  if (b.empty) return a;
  return {false, std::min(a.min, b.min), std::max(a.max, b.max)};
}

}  // namespace tokshuf::plot
