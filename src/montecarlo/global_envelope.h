#pragma once

#include <limits>
#include <vector>

#include "common/limits.h"
#include "common/run_arrays.h"

namespace tokshuf {

// The global rank envelope test of one measure: the text's curve (curve 0)
// and the permutation runs' curves are ordered by extreme rank length, which
// gives the text's p-value and a band that holds for the whole curve at
// once, not chunk by chunk.
struct GlobalEnvelope {
  std::vector<char> leftOut;  // by chunk 1..nchunks: 1 = not tested
  // 2e by curve, e the curve's average position from the most extreme;
  // empty when no chunk is tested.
  std::vector<long long> doublePositions;
  double p = std::numeric_limits<double>::quiet_NaN();  // NaN: nothing tested
  // By chunk 1..nchunks; NaN where left out or where no curve qualifies.
  std::vector<double> lower, upper;
  std::vector<int> below, above;  // chunks where the text is strictly outside
};

// Tests runs[0..curves-1] at chunks 1..nchunks at the confidence level in
// percent. A chunk where some curve's value is not finite, or, in a fitted
// column, is 0 (a failed fit), is left out.
GlobalEnvelope globalRankEnvelope(const RunArray& runs, int curves, int nchunks,
                                  bool fitted, int confidenceLevel);

// Whether the test over this many curves is exact at the level: the share
// of curves allowed outside is a whole number of them, and at least one.
bool runCountFitsLevel(int curves, int confidenceLevel);

// Permutation counts in 1..maxPermutations that fit the level: the largest
// up to nperm, the smallest above it and the largest of all, each once; at
// 100 percent none.
std::vector<int> fittingPermutationCounts(
    int nperm, int confidenceLevel, int maxPermutations = kMaxPermutations);

}  // namespace tokshuf
