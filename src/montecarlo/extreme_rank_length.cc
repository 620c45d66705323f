#include "montecarlo/extreme_rank_length.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "common/limits.h"

namespace tokshuf {
namespace {

constexpr std::uint16_t kNoRank = std::numeric_limits<std::uint16_t>::max();
static_assert(2 * (kMaxPermutations + 1) < kNoRank,
              "doubled ranks must fit 16 bits");

// Calls visit(first, end) for every run first..end-1 of sorted items that
// same() finds equal. Those items take the positions first+1..end, whose
// average doubled is first + 1 + end; it does not depend on how the sort
// arranged equal items, so neither does anything computed from it.
template <class Same, class Visit>
void forEachTieGroup(int n, Same same, Visit visit) {
  for (int first = 0; first < n;) {
    int end = first + 1;
    while (end < n && same(first, end)) ++end;
    visit(first, end);
    first = end;
  }
}

}  // namespace

PointwiseRanks::PointwiseRanks(int curves, int columns)
    : curves_(curves),
      columns_(columns),
      ranks_(std::size_t(curves) * columns),
      leading_(std::size_t(curves) * kLeading, kNoRank) {}

void PointwiseRanks::addColumn(const std::uint64_t* keys, ExtremeSide side) {
  sortCurvesByKey(keys, curves_, sorted_, scratch_);
  std::uint16_t* column = &ranks_[std::size_t(added_) * curves_];
  const int mirrored = 2 * (curves_ + 1);  // 2r + 2(curves + 1 - r)
  auto same = [this](int a, int b) { return sorted_[a].key == sorted_[b].key; };
  forEachTieGroup(curves_, same, [&](int first, int end) {
    int doubled = first + 1 + end;
    if (side == ExtremeSide::kBoth) {
      doubled = std::min(doubled, mirrored - doubled);
    }
    for (int k = first; k < end; ++k) {
      column[sorted_[k].curve] = std::uint16_t(doubled);
    }
  });
  insertRanks(column, leading_.data(), kLeading);
  ++added_;
}

// Inserts the column's ranks into the count smallest ones of each curve,
// kept ascending in smallest[k * curves_ + curve], and drops the largest.
// The k-th smallest becomes the new rank where that lies between the old
// (k-1)-th and k-th: no branch on the values, so that the loops vectorise.
void PointwiseRanks::insertRanks(const std::uint16_t* column,
                                 std::uint16_t* smallest, int count) const {
  for (int k = count - 1; k > 0; --k) {
    std::uint16_t* kth = smallest + std::size_t(k) * curves_;
    const std::uint16_t* before = kth - curves_;
    for (int i = 0; i < curves_; ++i) {
      kth[i] = std::max(before[i], std::min(kth[i], column[i]));
    }
  }
  for (int i = 0; i < curves_; ++i) {
    smallest[i] = std::min(smallest[i], column[i]);
  }
}

// The leading ranks, the smallest in the highest bits, so that keys compare
// as the rank vectors' beginnings do.
std::uint64_t PointwiseRanks::leadingKey(int curve) const {
  std::uint64_t key = 0;
  for (int k = 0; k < kLeading; ++k) {
    key = key << 16 | leading_[std::size_t(k) * curves_ + curve];
  }
  return key;
}

// Every curve's whole rank vector: rankVectors_[k * curves_ + curve] is
// its (k+1)-th smallest rank. Inserting column c touches only the c + 1
// smallest, the others still being empty.
void PointwiseRanks::buildRankVectors() {
  rankVectors_.assign(std::size_t(columns_) * curves_, kNoRank);
  for (int c = 0; c < columns_; ++c) {
    insertRanks(&ranks_[std::size_t(c) * curves_], rankVectors_.data(), c + 1);
  }
}

// Compares the rank vectors of two curves that share their leading ranks.
bool PointwiseRanks::rankVectorBefore(int a, int b) const {
  for (int k = kLeading; k < columns_; ++k) {
    const std::uint16_t* kth = &rankVectors_[std::size_t(k) * curves_];
    if (kth[a] != kth[b]) return kth[a] < kth[b];
  }
  return false;
}

std::vector<long long> PointwiseRanks::doublePositions() {
  std::vector<std::uint64_t> keys(curves_);
  for (int i = 0; i < curves_; ++i) keys[i] = leadingKey(i);
  sortCurvesByKey(keys.data(), curves_, sorted_, scratch_);
  std::vector<long long> positions(curves_);
  auto same = [this](int a, int b) { return sorted_[a].key == sorted_[b].key; };
  forEachTieGroup(curves_, same, [&](int first, int end) {
    if (end - first > 1 && columns_ > kLeading) {
      placeSharedLeading(first, end, positions);
      return;
    }
    for (int k = first; k < end; ++k) {
      positions[sorted_[k].curve] = first + 1 + end;
    }
  });
  return positions;
}

// Orders the curves sorted_[first..end-1], whose leading ranks are the
// same, by their whole rank vectors.
void PointwiseRanks::placeSharedLeading(int first, int end,
                                        std::vector<long long>& positions) {
  if (rankVectors_.empty()) buildRankVectors();
  std::vector<int> curves;
  for (int k = first; k < end; ++k) curves.push_back(sorted_[k].curve);
  auto before = [this](int a, int b) { return rankVectorBefore(a, b); };
  std::sort(curves.begin(), curves.end(), before);
  auto same = [&](int a, int b) { return !before(curves[a], curves[b]); };
  forEachTieGroup(end - first, same, [&](int from, int to) {
    for (int k = from; k < to; ++k) {
      positions[curves[k]] = 2 * first + from + 1 + to;
    }
  });
}

double extremeRankP(const std::vector<long long>& doublePositions) {
  const long long text = doublePositions[0];
  const auto asExtreme =
      std::count_if(doublePositions.begin(), doublePositions.end(),
                    [text](long long position) { return position <= text; });
  return double(asExtreme) / double(doublePositions.size());
}

}  // namespace tokshuf
