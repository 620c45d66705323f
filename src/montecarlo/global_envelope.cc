#include "montecarlo/global_envelope.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

#include "montecarlo/extreme_rank_length.h"

namespace tokshuf {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool untestable(double value, bool fitted) {
  // A failed fit is 0, and -0.0 compares equal to it.
  return !std::isfinite(value) || (fitted && value == 0.0);
}

std::vector<char> leftOutChunks(const RunArray& runs, int curves, int nchunks,
                                bool fitted) {
  std::vector<char> leftOut(nchunks + 1, 0);
  // No branch on the values: with runs of 0s and 1s a branch would be
  // mispredicted half the time.
  for (int i = 0; i < curves; ++i) {
    for (int j = 1; j <= nchunks; ++j) {
      leftOut[j] |= char(untestable(runs[i][j], fitted));
    }
  }
  return leftOut;
}

std::vector<int> testedChunks(const std::vector<char>& leftOut) {
  std::vector<int> chunks;
  for (int j = 1; j < int(leftOut.size()); ++j) {
    if (!leftOut[j]) chunks.push_back(j);
  }
  return chunks;
}

std::vector<long long> chunkPositions(const RunArray& runs, int curves,
                                      const std::vector<int>& chunks) {
  // The keys chunk by chunk, read in the run array's own order: reading it
  // chunk by chunk would touch a new cache line for every value.
  const int n = int(chunks.size());
  std::vector<std::uint64_t> keys(std::size_t(n) * curves);
  for (int i = 0; i < curves; ++i) {
    for (int c = 0; c < n; ++c) {
      keys[std::size_t(c) * curves + i] = orderKey(runs[i][chunks[c]]);
    }
  }
  PointwiseRanks ranks(curves, n);
  for (int c = 0; c < n; ++c) {
    ranks.addColumn(&keys[std::size_t(c) * curves], ExtremeSide::kBoth);
  }
  return ranks.doublePositions();
}

// 2e of the critical curve, the (C·N/100)-th largest; the index is found
// in integers, since a product such as 0.95·N in doubles can fall just
// below a whole number. 0 when the index is 0: no curve qualifies.
long long criticalPosition(std::vector<long long> positions,
                           int confidenceLevel) {
  const long long index =
      (long long)confidenceLevel * (long long)positions.size() / 100;
  if (index == 0) return 0;
  const auto critical = positions.begin() + (index - 1);
  std::nth_element(positions.begin(), critical, positions.end(),
                   std::greater<>());
  return *critical;
}

// The band at the tested chunks: the lowest and highest value of the curves
// that are no more extreme than the critical one, the text's included, so
// that a text that is not extreme never lies outside.
void storeBounds(const RunArray& runs, const std::vector<int>& chunks,
                 long long critical, GlobalEnvelope& envelope) {
  const std::vector<long long>& positions = envelope.doublePositions;
  for (int j : chunks) {
    envelope.lower[j] = kInfinity;
    envelope.upper[j] = -kInfinity;
  }
  for (int i = 0; i < int(positions.size()); ++i) {
    if (positions[i] < critical) continue;
    for (int j : chunks) {
      envelope.lower[j] = std::min(envelope.lower[j], runs[i][j]);
      envelope.upper[j] = std::max(envelope.upper[j], runs[i][j]);
    }
  }
  // Of -0.0 and 0.0, equal values, a bound must not show whichever curve
  // came first: adding 0.0 makes both 0.0.
  for (int j : chunks) {
    envelope.lower[j] += 0.0;
    envelope.upper[j] += 0.0;
  }
}

void findOutside(const RunArray& runs, const std::vector<int>& chunks,
                 GlobalEnvelope& envelope) {
  for (int j : chunks) {
    if (runs[0][j] < envelope.lower[j]) envelope.below.push_back(j);
    if (runs[0][j] > envelope.upper[j]) envelope.above.push_back(j);
  }
}

// The largest count in 1..most whose test fits the level, or 0.
int largestFitting(int most, int confidenceLevel) {
  for (int nperm = most; nperm >= 1; --nperm) {
    if (runCountFitsLevel(nperm + 1, confidenceLevel)) return nperm;
  }
  return 0;
}

// The smallest count in least..most whose test fits the level, or 0.
int smallestFitting(int least, int most, int confidenceLevel) {
  for (int nperm = std::max(least, 1); nperm <= most; ++nperm) {
    if (runCountFitsLevel(nperm + 1, confidenceLevel)) return nperm;
  }
  return 0;
}

}  // namespace

GlobalEnvelope globalRankEnvelope(const RunArray& runs, int curves, int nchunks,
                                  bool fitted, int confidenceLevel) {
  GlobalEnvelope envelope;
  envelope.leftOut = leftOutChunks(runs, curves, nchunks, fitted);
  envelope.lower.assign(nchunks + 1, kNaN);
  envelope.upper.assign(nchunks + 1, kNaN);
  const std::vector<int> chunks = testedChunks(envelope.leftOut);
  if (chunks.empty()) return envelope;
  envelope.doublePositions = chunkPositions(runs, curves, chunks);
  envelope.p = extremeRankP(envelope.doublePositions);
  const long long critical =
      criticalPosition(envelope.doublePositions, confidenceLevel);
  if (critical > 0) storeBounds(runs, chunks, critical, envelope);
  findOutside(runs, chunks, envelope);
  return envelope;
}

bool runCountFitsLevel(int curves, int confidenceLevel) {
  // α·N = (100 - C)·N / 100 curves may lie outside.
  const long long outside = (long long)(100 - confidenceLevel) * curves;
  return outside >= 100 && outside % 100 == 0;
}

std::vector<int> fittingPermutationCounts(int nperm, int confidenceLevel,
                                          int maxPermutations) {
  const int candidates[] = {
      largestFitting(std::min(nperm, maxPermutations), confidenceLevel),
      smallestFitting(nperm + 1, maxPermutations, confidenceLevel),
      largestFitting(maxPermutations, confidenceLevel)};
  std::vector<int> counts;
  for (int count : candidates) {
    if (count > 0 &&
        std::find(counts.begin(), counts.end(), count) == counts.end()) {
      counts.push_back(count);
    }
  }
  return counts;
}

}  // namespace tokshuf
