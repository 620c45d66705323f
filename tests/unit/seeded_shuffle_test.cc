#include "montecarlo/seeded_shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace tokshuf {
namespace {

constexpr std::uint64_t kSeed = 20240611;

// Positions 1..n in order, behind an entry 0 that must not move.
template <class T>
std::vector<T> positions(int n) {
  std::vector<T> order(std::size_t(n) + 1);
  std::iota(order.begin(), order.end(), T(0));
  order[0] = T(12345);
  return order;
}

std::vector<int> shuffled(std::uint64_t seed, std::uint64_t run, int n) {
  std::vector<int> order = positions<int>(n);
  shuffleSeeded(seed, run, order.data(), n);
  return order;
}

double chiSquare(const std::vector<int>& counts, double expected) {
  double sum = 0;
  for (int c : counts) sum += (c - expected) * (c - expected) / expected;
  return sum;
}

TEST(SeededRunStream, FollowsTheCounterLayout) {
  // Both halves of seed and run in use; past the first refill.
  SeededRunStream stream(0x0123456789abcdefu, 0x0000000300000007u);
  for (std::uint32_t b = 0; b < 70; ++b) {
    const PhiloxCounter block =
        philox4x32({b, 0, 7, 3}, {0x89abcdef, 0x01234567});
    for (int w = 0; w < 4; ++w) ASSERT_EQ(stream.next(), block[w]) << b << w;
  }
}

TEST(SeededRunStream, PartnerDrawIsUniform) {
  // 10000 draws per bin from one run, and the chi-square statistic against
  // its critical value at 0.001 for bins - 1 degrees of freedom. The large
  // range is binned by residue mod 3: without its redraws it would give the
  // residues 0, 1, 2 in the ratio 3 : 3 : 2 (a statistic of 985).
  struct Case {
    std::uint32_t range;
    int bins;
    double critical;
  } const cases[] = {
      {2, 2, 10.828},        // observed 0.48
      {3, 3, 13.816},        // observed 1.23
      {5, 5, 18.467},        // observed 3.00
      {7, 7, 22.458},        // observed 19.84
      {10, 10, 27.877},      // observed 13.21
      {97, 97, 144.567},     // observed 90.01
      {3u << 29, 3, 13.816}  // observed 1.53
  };
  for (const Case& c : cases) {
    SeededRunStream stream(kSeed, 1);
    const int draws = 10000 * c.bins;
    std::vector<int> counts(c.bins);
    for (int d = 0; d < draws; ++d) ++counts[stream.below(c.range) % c.bins];
    EXPECT_LT(chiSquare(counts, 10000), c.critical) << c.range;
  }
}

TEST(SeededRunStream, RedrawsTheLowHalvesBelowTwoToThe32ModRange) {
  // 2^32 mod 3 * 2^29 = 2^30: a quarter of the outputs are drawn again,
  // about 333 in all (298 observed).
  const std::uint32_t range = 3u << 29;
  SeededRunStream stream(kSeed, 2), raw(kSeed, 2);
  int redraws = 0;
  for (int d = 0; d < 1000; ++d) {
    std::uint64_t product = std::uint64_t(raw.next()) * range;
    for (; std::uint32_t(product) < (1u << 30); ++redraws) {
      product = std::uint64_t(raw.next()) * range;
    }
    ASSERT_EQ(stream.below(range), std::uint32_t(product >> 32)) << d;
  }
  EXPECT_GT(redraws, 250);
}

TEST(SeededShuffle, EachRunIsAPermutation) {
  for (int n : {2, 3, 10, 1000}) {
    for (std::uint64_t run = 1; run <= 20; ++run) {
      std::vector<int> order = shuffled(kSeed, run, n);
      std::sort(order.begin() + 1, order.end());
      ASSERT_EQ(order, positions<int>(n)) << n << " " << run;
    }
  }
}

TEST(SeededShuffle, SeedAndRunDetermineTheOrder) {
  const std::vector<int> base = shuffled(kSeed, 7, 1000);
  EXPECT_EQ(shuffled(kSeed, 7, 1000), base);
  // Every word of key and counter matters, the upper ones too.
  const std::uint64_t others[][2] = {{kSeed, 8},
                                     {kSeed + 1, 7},
                                     {kSeed + (1ull << 32), 7},
                                     {kSeed, 7 + (1ull << 32)}};
  for (const auto& [seed, run] : others) {
    EXPECT_NE(shuffled(seed, run, 1000), base) << seed << " " << run;
  }
}

TEST(SeededShuffle, RunsDoNotDependOnEachOther) {
  const std::vector<int> alone = shuffled(kSeed, 7, 500);
  for (std::uint64_t run = 1; run <= 6; ++run) shuffled(kSeed, run, 500);
  EXPECT_EQ(shuffled(kSeed, 7, 500), alone);
}

TEST(SeededShuffle, AllOrdersOfThreeEquallyLikely) {
  // Runs 1..6000 of three tokens. Observed chi-square 2.08; critical
  // value at 0.001 with 5 degrees of freedom 20.515.
  std::vector<int> counts(6);
  for (std::uint64_t run = 1; run <= 6000; ++run) {
    const std::vector<int> order = shuffled(kSeed, run, 3);
    ++counts[2 * (order[1] - 1) + (order[2] < order[3] ? 0 : 1)];
  }
  EXPECT_LT(chiSquare(counts, 1000), 20.515);
}

// Sizes around the blocks of partners, and one that shuffleSeeded() takes
// to shuffleSeededAhead() for 32-bit elements but not for 16-bit ones.
template <class T>
void expectSameAsReference() {
  for (int n : {0, 1, 2, 3, 31, 32, 33, 64, 65, 1000, 100003, 300000}) {
    std::vector<T> plain = positions<T>(n);
    shuffleSeededReference(kSeed, 5, plain.data(), n);
    EXPECT_EQ(plain[0], T(12345));
    for (auto shuffle : {shuffleSeeded<T>, shuffleSeededAhead<T>}) {
      std::vector<T> order = positions<T>(n);
      shuffle(kSeed, 5, order.data(), n);
      EXPECT_EQ(order, plain) << n;
    }
  }
}

TEST(SeededShuffle, EveryVersionGivesTheReferenceOrder) {
  expectSameAsReference<int>();
  expectSameAsReference<std::uint16_t>();
  expectSameAsReference<std::uint32_t>();
}

}  // namespace
}  // namespace tokshuf
