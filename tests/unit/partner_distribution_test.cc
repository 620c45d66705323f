#include "montecarlo/partner_distribution.h"

#include <gtest/gtest.h>

#include <numeric>

#include "montecarlo/generator_cycles.h"
#include "montecarlo/permutation.h"

namespace tokshuf {
namespace {

constexpr int kPeriod1 = GeneratorCycles::kPeriod1;
constexpr int kPeriod2 = GeneratorCycles::kPeriod2;

int streamPhase(const UniformRandom& generator) {
  return pairPhase(generator.state().state1, generator.state().state2);
}

int modEight(int x) { return (x % 8 + 8) % 8; }

// Cycle position of every state, read off the cycle itself.
std::vector<int> positionsOf(const std::int32_t* states, int period) {
  std::vector<int> positions(period);
  for (int p = 0; p < period; ++p) positions[states[p]] = p;
  return positions;
}

TEST(PartnerDistribution, ResidueModEightFixesTheCyclePosition) {
  const GeneratorCycles& cycles = GeneratorCycles::instance();
  for (const auto& [states, period] :
       {std::pair{cycles.states1(), kPeriod1},
        std::pair{cycles.states2(), kPeriod2}}) {
    for (int p = 0; p < period; ++p) {
      ASSERT_EQ(states[p] % 8, states[p % 8] % 8) << "position " << p;
    }
  }
  // So the phase of any two states is their positions' difference mod 8.
  for (int a = 0; a < kPeriod1; a += 997) {
    for (int b = 0; b < kPeriod2; b += 1009) {
      ASSERT_EQ(pairPhase(cycles.states1()[a], cycles.states2()[b]),
                modEight(a - b));
    }
  }
}

TEST(PartnerDistribution, OnlyPairsOfTheStreamsPhaseStoreTheirValues) {
  // The smallest values each belong to one pair (0, x2): no other pair
  // comes within 1 / 259200 of them.
  const int phase = streamPhase(seededGenerator());
  int stored = 0;
  for (int x2 = 1; x2 <= 16; ++x2) {
    const std::int64_t expected = pairPhase(0, x2) == phase ? 1 : 0;
    EXPECT_EQ(storedValueCount(uniformTableValue(0, x2), phase), expected);
    stored += int(expected);
  }
  EXPECT_EQ(stored, 2);
}

TEST(PartnerDistribution, GeneratorStaysInItsPhaseAndReturnsCountedValues) {
  UniformRandom generator = seededGenerator();
  const int phase = streamPhase(generator);
  int seed = 1;
  for (int draw = 0; draw < 3'000'000; ++draw) {
    const float u = float(generator.uniformRandom(&seed));
    ASSERT_EQ(streamPhase(generator), phase) << "draw " << draw;
    ASSERT_GT(storedValueCount(u, phase), 0) << "draw " << draw << ": " << u;
  }
}

// Enumerates the pairs with generator 1 states first..end - 1 that occur in
// the stream, by the cycle positions of both states.
std::vector<std::int64_t> enumeratedCounts(int n, int phase, int first,
                                           int end) {
  const GeneratorCycles& cycles = GeneratorCycles::instance();
  static const std::vector<int> positions1 =
      positionsOf(cycles.states1(), kPeriod1);
  static const std::vector<int> positions2 =
      positionsOf(cycles.states2(), kPeriod2);
  std::vector<std::int64_t> counts(n + 1, 0);
  for (int x1 = first; x1 < end; ++x1) {
    for (int x2 = 0; x2 < kPeriod2; ++x2) {
      if (modEight(positions1[x1] - positions2[x2]) != phase) continue;
      ++counts[shufflePartner(uniformTableValue(x1, x2), 1, n)];
    }
  }
  return counts;
}

TEST(PartnerDistribution, CountsMatchEnumeratedPairsWhereTheSpacingChanges) {
  const int phase = streamPhase(seededGenerator());
  // Generator 1 states around values 0, 1/4, 1/2 and 1 (with the draw 1.0).
  const int starts[] = {0, 64796, 129596, kPeriod1 - 8};
  for (int n : {7, 1000, 220000, 1'000'000}) {
    for (int first : starts) {
      EXPECT_EQ(firstStepPartnerCounts(n, phase, first, first + 8),
                enumeratedCounts(n, phase, first, first + 8))
          << "n " << n << ", states " << first << "..";
    }
  }
}

TEST(PartnerDistribution, EveryPairOfTheJointCycleChoosesOnePartner) {
  const int phase = streamPhase(seededGenerator());
  for (int n : {1, 7, 1000}) {
    const std::vector<std::int64_t> counts = firstStepPartnerCounts(n, phase);
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), std::int64_t(0)),
              kJointPeriod);
  }
}

void expectExtremes(int n, std::int64_t largest, int largestAt,
                    std::int64_t smallest, int smallestAt) {
  const PartnerExtremes e =
      firstStepPartnerExtremes(n, streamPhase(seededGenerator()));
  EXPECT_EQ(e.largest, largest) << n;
  EXPECT_EQ(e.largestAt, largestAt) << n;
  EXPECT_EQ(e.smallest, smallest) << n;
  EXPECT_EQ(e.smallestAt, smallestAt) << n;
}

// A partner whose interval holds m floats of spacing h gets the values of
// a stretch m h long, so above 1/2 the counts follow the number of floats
// in an interval: 76 or 77 for 220000 tokens, 16 or 17 for a million.
TEST(PartnerDistribution, FirstStepExtremesOfThePermutationStream) {
  expectExtremes(220000, 19995, 110016, 19733, 55021);
  expectExtremes(1'000'000, 4415, 125028, 4154, 500005);
}

// At 2^24 tokens each partner above 1/2 holds one float, which gathers the
// values within half a spacing of it. The draw 1.0 adds half a spacing to
// the last partner; the float 1/2 gathers only a quarter spacing below it,
// where the floats are twice as dense.
TEST(PartnerDistribution, FirstStepExtremesAtTheLongestText) {
  constexpr int kLongest = 1 << 24;
  const PartnerExtremes e =
      firstStepPartnerExtremes(kLongest, streamPhase(seededGenerator()));
  EXPECT_EQ(e.largest, 389);
  EXPECT_EQ(e.largestAt, kLongest);
  EXPECT_EQ(e.largestPartners, 1);
  EXPECT_EQ(e.smallest, 194);
  EXPECT_EQ(e.smallestAt, kLongest / 2 + 1);
  EXPECT_EQ(e.smallestPartners, 1);
}

}  // namespace
}  // namespace tokshuf
