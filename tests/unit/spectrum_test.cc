#include "measures/spectrum.h"

#include <gtest/gtest.h>

#include "prefix_state.h"

namespace tokshuf {
namespace {

using testing::tokenSequence;

TEST(Spectrum, WorkedPrefix) {
  WordFreqState s;
  const auto ranks = tokenSequence({5, 3, 5, 7});
  addChunkAndRebuild(s, ranks, 4, 1, 1, 4);
  EXPECT_EQ(s.countByRank[5], 2);
  EXPECT_EQ(s.countByRank[3], 1);
  EXPECT_EQ(s.countByRank[7], 1);
  EXPECT_EQ(s.typeCount, 3);
  EXPECT_EQ(s.typesInOrder[1], 5);
  EXPECT_EQ(s.typesInOrder[2], 3);
  EXPECT_EQ(s.typesInOrder[3], 7);
  EXPECT_EQ(s.frequencyCount, 2);
  EXPECT_EQ(s.frequencies[1], 2);  // the earliest-seen type's frequency first
  EXPECT_EQ(s.frequencies[2], 1);
  EXPECT_EQ(s.VM[1], 2);
  EXPECT_EQ(s.VM[2], 1);
  EXPECT_EQ(s.mMax, 2);
  EXPECT_EQ(s.N, 4);
  EXPECT_EQ(s.V, 3);
  EXPECT_EQ(s.V1, 2);
  EXPECT_EQ(s.V2, 1);
  EXPECT_EQ(s.V3 + s.V4 + s.V5, 0);
  EXPECT_EQ(s.fa + s.fthe, 0);
}

TEST(Spectrum, EmptyStretchOnlyRebuilds) {
  WordFreqState s;
  const auto ranks = tokenSequence({5, 3, 5, 7});
  addChunkAndRebuild(s, ranks, 4, 1, 1, 2);
  addChunkAndRebuild(s, ranks, 4, 1, 3, 4);
  const WordFreqState before = s;
  addChunkAndRebuild(s, ranks, 4, 1, 5, 4);
  EXPECT_EQ(s.VM, before.VM);
  EXPECT_EQ(s.frequencies, before.frequencies);
  EXPECT_EQ(s.typesInOrder, before.typesInOrder);
  EXPECT_EQ(s.countByRank, before.countByRank);
  EXPECT_EQ(s.frequencyCount, before.frequencyCount);
  EXPECT_EQ(s.V1, before.V1);
}

TEST(Spectrum, TypeMovingPastFiveLeavesTheLowClasses) {
  WordFreqState s;
  const auto ranks = tokenSequence({9, 9, 9, 9, 9, 9, 2});
  addChunkAndRebuild(s, ranks, 9, 2, 1, 5);
  EXPECT_EQ(s.V5, 1);
  addChunkAndRebuild(s, ranks, 9, 2, 6, 7);
  EXPECT_EQ(s.V5, 0);
  EXPECT_EQ(s.V1, 1);
  EXPECT_EQ(s.VM[6], 1);
  EXPECT_EQ(s.fa, 6);
  EXPECT_EQ(s.fthe, 1);
}

TEST(Spectrum, EqualTrackedRanksAdvanceBothCounters) {
  WordFreqState s;
  const auto ranks = tokenSequence({3, 1, 3});
  addChunkAndRebuild(s, ranks, 3, 3, 1, 3);
  EXPECT_EQ(s.fa, 2);
  EXPECT_EQ(s.fthe, 2);
}

TEST(Spectrum, NextRunStartsFromACleanSlate) {
  WordFreqState s;
  const auto first = tokenSequence({1, 1, 2, 3, 3, 3});
  addChunkAndRebuild(s, first, 4, 1, 1, 6);
  endRun(s);
  for (int rank = 0; rank <= 3; ++rank) EXPECT_EQ(s.countByRank[rank], 0);
  EXPECT_EQ(s.typeCount, 0);

  s.fa = s.fthe = 0;
  const auto second = tokenSequence({3, 2, 3, 1, 3, 1});
  addChunkAndRebuild(s, second, 4, 1, 1, 6);
  EXPECT_EQ(s.V, 3);
  EXPECT_EQ(s.mMax, 3);
  EXPECT_EQ(s.frequencyCount, 3);
  EXPECT_EQ(s.frequencies[1], 3);  // type 3 is seen first in this order
  EXPECT_EQ(s.frequencies[2], 1);
  EXPECT_EQ(s.frequencies[3], 2);
  int listed = 0;
  for (int m = 1; m <= 10; ++m) listed += s.VM[m];
  EXPECT_EQ(listed, 3);
}

TEST(Spectrum, OneWordMakingUpTheWholeLongestText) {
  WordFreqState s;
  std::vector<int> ranks(220001, 1);
  addChunkAndRebuild(s, ranks, 4, 1, 1, 220000);
  EXPECT_EQ(s.VM[220000], 1);
  EXPECT_EQ(s.mMax, 220000);
  EXPECT_EQ(s.fthe, 220000);
}

}  // namespace
}  // namespace tokshuf
