#include "montecarlo/partner_distribution.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "montecarlo/generator_cycles.h"
#include "montecarlo/permutation.h"
#include "montecarlo/uniform_random.h"

namespace tokshuf {
namespace {

constexpr std::int32_t kPeriod1 = GeneratorCycles::kPeriod1;
constexpr std::int32_t kPeriod2 = GeneratorCycles::kPeriod2;
constexpr int kCommon = 8;  // gcd of the two periods
constexpr std::int64_t kRowPairs = kPeriod2 / kCommon;

// The pairs (x1, x2) are numbered x1 * kPeriod2 + x2. Their stored values
// never decrease along this numbering: for a fixed x1 each rounding step is
// monotone in x2, and x1 + x2 / kPeriod2 stays below x1 + 1. So the pairs
// that choose one partner, or store one value, form a run of indices.
constexpr std::int64_t kIndices = std::int64_t(kPeriod1) * kPeriod2;

float valueAt(std::int64_t index) {
  return uniformTableValue(std::int32_t(index / kPeriod2),
                           std::int32_t(index % kPeriod2));
}

// A state's residue mod 8 steps through a generator of its own (8 divides
// the modulus), a full cycle of 8, so it fixes the position mod 8.
struct Residues {
  std::array<int, kCommon> position1{};  // by state mod 8
  std::array<int, kCommon> position2{};  // by state mod 8
  std::array<int, kCommon> state2{};     // by position mod 8
};

const Residues& residues() {
  static const Residues table = [] {
    const GeneratorCycles& cycles = GeneratorCycles::instance();
    Residues r;
    for (int p = 0; p < kCommon; ++p) {
      r.position1[cycles.states1()[p] % kCommon] = p;
      r.position2[cycles.states2()[p] % kCommon] = p;
      r.state2[p] = cycles.states2()[p] % kCommon;
    }
    return r;
  }();
  return table;
}

int modCommon(int x) { return (x % kCommon + kCommon) % kCommon; }

// Residue mod 8 of generator 2's state in every pair with generator 1 in
// state x1: one class of kRowPairs states.
int partnerResidue(std::int32_t x1, int phase) {
  const Residues& r = residues();
  return r.state2[modCommon(r.position1[x1 % kCommon] - phase)];
}

// Pairs of one joint cycle numbered below index (0..kIndices).
std::int64_t pairsBelow(std::int64_t index, int phase) {
  if (index >= kIndices) return kJointPeriod;
  const std::int32_t x1 = std::int32_t(index / kPeriod2);
  const std::int32_t x2 = std::int32_t(index % kPeriod2);
  // States residue, residue + 8, ... below x2 (residue is below 8).
  const int residue = partnerResidue(x1, phase);
  return x1 * kRowPairs + (x2 - residue + kCommon - 1) / kCommon;
}

// Smallest index whose stored value is at least v (kIndices if none).
std::int64_t firstIndexAtLeast(float v) {
  if (!(v > 0.0f)) return 0;
  // Doubles from halfway above the float below v round to v or higher. The
  // index with that value is a close guess; the double arithmetic of the
  // stored value and ties to even could move the boundary a step from it.
  const double edge = (double(std::nextafter(v, 0.0f)) + double(v)) / 2;
  const double guess = std::ceil(edge * double(kIndices));
  std::int64_t index =
      std::clamp(std::int64_t(guess), std::int64_t(0), kIndices);
  while (index > 0 && valueAt(index - 1) >= v) --index;
  while (index < kIndices && valueAt(index) < v) ++index;
  return index;
}

// Smallest draw that sends the first step over n tokens to partner k or
// beyond (2 <= k <= n). The float nearest (k - 1) / n is the answer or a
// neighbour of it; asking shufflePartner itself settles which.
float firstDrawReaching(int k, int n) {
  float u = float(double(k - 1) / n);
  while (shufflePartner(u, 1, n) < k) u = std::nextafter(u, 2.0f);
  while (u > 0.0f && shufflePartner(std::nextafter(u, 0.0f), 1, n) >= k) {
    u = std::nextafter(u, 0.0f);
  }
  return u;
}

// Calls visit(k, count) for each partner k that the pairs with generator 1
// states firstState1..endState1 - 1 can reach, in increasing order of k.
template <class Visit>
void visitPartnerCounts(int n, int phase, std::int32_t firstState1,
                        std::int32_t endState1, Visit&& visit) {
  const std::int64_t low = std::int64_t(firstState1) * kPeriod2;
  const std::int64_t high = std::int64_t(endState1) * kPeriod2;
  if (low >= high) return;
  const int first = shufflePartner(valueAt(low), 1, n);
  const int last = shufflePartner(valueAt(high - 1), 1, n);
  std::int64_t below = pairsBelow(low, phase);
  for (int k = first; k <= last; ++k) {
    const std::int64_t end =
        k == last ? high : firstIndexAtLeast(firstDrawReaching(k + 1, n));
    const std::int64_t upTo = pairsBelow(end, phase);
    visit(k, upTo - below);
    below = upTo;
  }
}

// Keeps the extreme of the counts so far (the one no other count is better
// than), the first partner with it and how many partners have it.
template <class Better>
void track(int k, std::int64_t count, Better better, std::int64_t& extreme,
           int& at, int& partners) {
  if (partners == 0 || better(count, extreme)) {
    extreme = count;
    at = k;
    partners = 0;
  }
  partners += count == extreme;
}

}  // namespace

int pairPhase(std::int32_t state1, std::int32_t state2) {
  const Residues& r = residues();
  return modCommon(r.position1[state1 % kCommon] -
                   r.position2[state2 % kCommon]);
}

std::int64_t storedValueCount(float v, int phase) {
  const std::int64_t first = firstIndexAtLeast(v);
  const std::int64_t end = firstIndexAtLeast(std::nextafter(v, 2.0f));
  return pairsBelow(end, phase) - pairsBelow(first, phase);
}

std::vector<std::int64_t> firstStepPartnerCounts(int n, int phase) {
  return firstStepPartnerCounts(n, phase, 0, kPeriod1);
}

std::vector<std::int64_t> firstStepPartnerCounts(int n, int phase,
                                                 std::int32_t firstState1,
                                                 std::int32_t endState1) {
  std::vector<std::int64_t> counts(std::size_t(n) + 1, 0);
  visitPartnerCounts(n, phase, firstState1, endState1,
                     [&](int k, std::int64_t count) { counts[k] = count; });
  return counts;
}

PartnerExtremes firstStepPartnerExtremes(int n, int phase) {
  PartnerExtremes e;
  visitPartnerCounts(n, phase, 0, kPeriod1, [&](int k, std::int64_t count) {
    track(k, count, std::greater<>(), e.largest, e.largestAt,
          e.largestPartners);
    track(k, count, std::less<>(), e.smallest, e.smallestAt,
          e.smallestPartners);
  });
  return e;
}

}  // namespace tokshuf
