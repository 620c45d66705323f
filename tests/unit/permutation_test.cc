#include "montecarlo/permutation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "prefix_state.h"

namespace tokshuf {
namespace {

using testing::tokenSequence;

TEST(Permutation, FiveTokensOverTwoRuns) {
  UniformRandom generator;
  int seed = -1;
  generator.uniformRandom(&seed);
  std::vector<int> ranks = tokenSequence({1, 2, 3, 4, 5});
  randomize(generator, ranks, 5);
  EXPECT_EQ(ranks, tokenSequence({1, 4, 5, 2, 3}));
  randomize(generator, ranks, 5);
  EXPECT_EQ(ranks, tokenSequence({2, 4, 5, 3, 1}));
}

TEST(Permutation, PartnerOfTheExampleDraws) {
  EXPECT_EQ(shufflePartner(0.171148419380188, 1, 5), 1);
  EXPECT_EQ(shufflePartner(0.6423839330673218, 2, 5), 4);
  EXPECT_EQ(shufflePartner(0.8688522577285767, 3, 5), 5);
  EXPECT_EQ(shufflePartner(0.17056703567504883, 4, 5), 4);
}

TEST(Permutation, DrawOfOneStaysInsideTheText) {
  EXPECT_EQ(shufflePartner(1.0, 1, 5), 5);
  EXPECT_EQ(shufflePartner(1.0, 5, 5), 5);
  std::vector<int> ranks = tokenSequence({10, 20, 30});
  randomizeWith(ranks, 3, [] { return 1.0; });
  // i = 1 swaps with 3, i = 2 swaps with 3.
  EXPECT_EQ(ranks, tokenSequence({30, 10, 20}));
}

TEST(Permutation, DrawCountIsNMinusOne) {
  for (int n : {0, 1, 2, 7}) {
    std::vector<int> ranks(n + 1, 1);
    int draws = 0;
    randomizeWith(ranks, n, [&] {
      ++draws;
      return 0.5;
    });
    EXPECT_EQ(draws, n > 1 ? n - 1 : 0) << n;
  }
}

TEST(Permutation, TwoTokensSwapFromOneHalfUp) {
  std::vector<int> ranks = tokenSequence({1, 2});
  randomizeWith(ranks, 2, [] { return 0.4999999; });
  EXPECT_EQ(ranks, tokenSequence({1, 2}));
  randomizeWith(ranks, 2, [] { return 0.5; });
  EXPECT_EQ(ranks, tokenSequence({2, 1}));
}

TEST(Permutation, ShufflesKeepTheMultiset) {
  UniformRandom generator;
  int seed = -1;
  generator.uniformRandom(&seed);
  std::vector<int> ranks = tokenSequence({1, 1, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8, 9});
  std::vector<int> sorted = ranks;
  for (int run = 0; run < 50; ++run) {
    randomize(generator, ranks, 13);
    std::vector<int> copy = ranks;
    std::sort(copy.begin() + 1, copy.end());
    ASSERT_EQ(copy, sorted);
  }
}

TEST(Permutation, SingleTokenRunsRepeatRunZero) {
  Settings settings;
  settings.nchunks = 3;
  settings.nperm = 4;
  Text text;
  text.ranks.push_back(6);
  text.N = 1;
  const Chunks chunkEnds = computeChunks(1, 3);
  const MeasureContext context{settings, chunkEnds, 1, 0};
  RunState run;
  RunArrays arrays(4);
  measureTokenOrder(0, context, text.ranks, run, arrays);
  EXPECT_EQ(runReferencePermutations(context, text, nullptr, arrays).sichel,
            run.missing.sichel * 4);
  EXPECT_EQ(text.ranks, tokenSequence({6}));
  for (int column = 1; column <= kMeasureColumns; ++column) {
    for (int p = 1; p <= 4; ++p) {
      for (int j = 1; j <= 3; ++j) {
        const double a = arrays[column][0][j], b = arrays[column][p][j];
        EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b)));
      }
    }
  }
}

}  // namespace
}  // namespace tokshuf
