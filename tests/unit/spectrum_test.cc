#include "measures/spectrum.h"

#include <gtest/gtest.h>

namespace tokshuf {
namespace {

std::vector<int> textOf(std::vector<int> ranks) {
  ranks.insert(ranks.begin(), 0);
  return ranks;
}

TEST(Spectrum, WorkedPrefix) {
  WordFreqState s;
  const auto TEXT = textOf({5, 3, 5, 7});
  spectrum(s, TEXT, 4, 1, 1, 4);
  EXPECT_EQ(s.WORDFREQ[5], 2);
  EXPECT_EQ(s.WORDFREQ[3], 1);
  EXPECT_EQ(s.WORDFREQ[7], 1);
  EXPECT_EQ(s.typenaantal, 3);
  EXPECT_EQ(s.TYPENLIJST[1], 5);
  EXPECT_EQ(s.TYPENLIJST[2], 3);
  EXPECT_EQ(s.TYPENLIJST[3], 7);
  EXPECT_EQ(s.maantal, 2);
  EXPECT_EQ(s.MLIJST[1], 2);  // the earliest-seen type's frequency first
  EXPECT_EQ(s.MLIJST[2], 1);
  EXPECT_EQ(s.VM[1], 2);
  EXPECT_EQ(s.VM[2], 1);
  EXPECT_EQ(s.mMax, 2);
  EXPECT_EQ(s.curV, 3);
  EXPECT_EQ(s.curV1, 2);
  EXPECT_EQ(s.curV2, 1);
  EXPECT_EQ(s.curV3 + s.curV4 + s.curV5, 0);
  EXPECT_EQ(s.freq_a + s.freq_the, 0);
}

TEST(Spectrum, EmptyStretchOnlyRebuilds) {
  WordFreqState s;
  const auto TEXT = textOf({5, 3, 5, 7});
  spectrum(s, TEXT, 4, 1, 1, 2);
  spectrum(s, TEXT, 4, 1, 3, 4);
  const WordFreqState before = s;
  spectrum(s, TEXT, 4, 1, 5, 4);
  EXPECT_EQ(s.VM, before.VM);
  EXPECT_EQ(s.MLIJST, before.MLIJST);
  EXPECT_EQ(s.TYPENLIJST, before.TYPENLIJST);
  EXPECT_EQ(s.WORDFREQ, before.WORDFREQ);
  EXPECT_EQ(s.maantal, before.maantal);
  EXPECT_EQ(s.curV1, before.curV1);
}

TEST(Spectrum, TypeMovingPastFiveLeavesTheLowClasses) {
  WordFreqState s;
  const auto TEXT = textOf({9, 9, 9, 9, 9, 9, 2});
  spectrum(s, TEXT, 9, 2, 1, 5);
  EXPECT_EQ(s.curV5, 1);
  spectrum(s, TEXT, 9, 2, 6, 7);
  EXPECT_EQ(s.curV5, 0);
  EXPECT_EQ(s.curV1, 1);
  EXPECT_EQ(s.VM[6], 1);
  EXPECT_EQ(s.freq_a, 6);
  EXPECT_EQ(s.freq_the, 1);
}

TEST(Spectrum, EqualTrackedRanksAdvanceBothCounters) {
  WordFreqState s;
  const auto TEXT = textOf({3, 1, 3});
  spectrum(s, TEXT, 3, 3, 1, 3);
  EXPECT_EQ(s.freq_a, 2);
  EXPECT_EQ(s.freq_the, 2);
}

TEST(Spectrum, NextRunStartsFromACleanSlate) {
  WordFreqState s;
  const auto first = textOf({1, 1, 2, 3, 3, 3});
  spectrum(s, first, 4, 1, 1, 6);
  endRun(s);
  for (int rank = 0; rank <= 3; ++rank) EXPECT_EQ(s.WORDFREQ[rank], 0);
  EXPECT_EQ(s.typenaantal, 0);

  s.freq_a = s.freq_the = 0;
  const auto second = textOf({3, 2, 3, 1, 3, 1});
  spectrum(s, second, 4, 1, 1, 6);
  EXPECT_EQ(s.curV, 3);
  EXPECT_EQ(s.mMax, 3);
  EXPECT_EQ(s.maantal, 3);
  EXPECT_EQ(s.MLIJST[1], 3);  // type 3 is seen first in this order
  EXPECT_EQ(s.MLIJST[2], 1);
  EXPECT_EQ(s.MLIJST[3], 2);
  int listed = 0;
  for (int m = 1; m <= 10; ++m) listed += s.VM[m];
  EXPECT_EQ(listed, 3);
}

TEST(Spectrum, OneWordMakingUpTheWholeLongestText) {
  WordFreqState s;
  std::vector<int> TEXT(220001, 1);
  spectrum(s, TEXT, 4, 1, 1, 220000);
  EXPECT_EQ(s.VM[220000], 1);
  EXPECT_EQ(s.mMax, 220000);
  EXPECT_EQ(s.freq_the, 220000);
}

}  // namespace
}  // namespace tokshuf
