#pragma once

#include <cstdint>
#include <vector>

#include "montecarlo/key_sort.h"

namespace tokshuf {

// Which values count as extreme at a column: those at either end, or only
// the smallest ones.
enum class ExtremeSide { kBoth, kSmall };

// The extreme rank length ordering of a number of curves. Each column ranks
// the curves, and the ranks of a curve, sorted ascending, form its rank
// vector; the lexicographic order of these vectors puts the most extreme
// curve first. Ranks and positions are kept doubled so that the averages
// over ties stay integers.
class PointwiseRanks {
 public:
  // At most kMaxPermutations + 1 curves, so that doubled ranks fit 16 bits.
  PointwiseRanks(int curves, int columns);

  // Ranks the curves by keys[0..curves-1] as the next column: the smallest
  // key has rank 1, equal keys share the average of their ranks, and with
  // kBoth a rank r counts as min(r, curves + 1 - r).
  void addColumn(const std::uint64_t* keys, ExtremeSide side);

  // Once every column is in: 2e by curve, e being the curve's position in
  // the lexicographic order (1 = most extreme), averaged over the curves
  // whose rank vectors are identical.
  std::vector<long long> doublePositions();

 private:
  // The first few entries of the rank vectors almost always tell the curves
  // apart, and they fit one integer key; the whole vectors are sorted only
  // when some curves share those.
  static constexpr int kLeading = 4;

  void insertRanks(const std::uint16_t* column, std::uint16_t* smallest,
                   int count) const;
  std::uint64_t leadingKey(int curve) const;
  void buildRankVectors();
  bool rankVectorBefore(int a, int b) const;
  void placeSharedLeading(int first, int end,
                          std::vector<long long>& positions);

  int curves_;
  int columns_;
  int added_ = 0;
  std::vector<std::uint16_t> ranks_;  // 2r by column, then curve
  // [k * curves_ + curve]: the curve's (k+1)-th smallest 2r, for k below
  // kLeading, and once needed for all k.
  std::vector<std::uint16_t> leading_, rankVectors_;
  std::vector<KeyedCurve> sorted_;  // the last sort by key
  std::vector<KeyedCurve> scratch_;
};

// The share of the curves at least as extreme as curve 0 (the text): the
// test's p-value, never below 1/curves since the text counts itself.
double extremeRankP(const std::vector<long long>& doublePositions);

}  // namespace tokshuf
