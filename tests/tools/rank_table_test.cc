#include "rank/rank_table.h"

#include <gtest/gtest.h>

namespace tokshuf::rank {
namespace {

using Words = std::vector<std::string>;

TEST(RankTableTest, MostFrequentWordGetsRankOne) {
  const RankedText ranked = rankWords({"a", "b", "b", "c", "b", "c"});
  EXPECT_EQ(ranked.typeByRank, (Words{"b", "c", "a"}));
  EXPECT_EQ(ranked.tokenRanks, (std::vector<int>{3, 1, 1, 2, 1, 2}));
}

TEST(RankTableTest, TiesGoToTheEarlierFirstOccurrence) {
  // x, y and z occur twice each, w three times; x is seen before z, z
  // before y.
  const RankedText ranked = rankWords({"x", "z", "w", "y", "w", "z", "y", "x", "w"});
  EXPECT_EQ(ranked.typeByRank, (Words{"w", "x", "z", "y"}));
  EXPECT_EQ(ranked.tokenRanks, (std::vector<int>{2, 3, 1, 4, 1, 3, 4, 2, 1}));
}

TEST(RankTableTest, AllSingletonsKeepTextOrder) {
  const RankedText ranked = rankWords({"d", "c", "b", "a"});
  EXPECT_EQ(ranked.typeByRank, (Words{"d", "c", "b", "a"}));
  EXPECT_EQ(ranked.tokenRanks, (std::vector<int>{1, 2, 3, 4}));
}

TEST(RankTableTest, EmptyTextHasNoRanks) {
  const RankedText ranked = rankWords({});
  EXPECT_TRUE(ranked.typeByRank.empty());
  EXPECT_TRUE(ranked.tokenRanks.empty());
}

TEST(RankTableTest, ManyTiesStayInFirstOccurrenceOrder) {
  // More types than a small sort would handle by insertion, so an unstable
  // sort would show.
  Words words;
  for (int i = 0; i < 500; ++i) words.push_back(std::to_string((i * 7919) % 500).insert(0, 1, 'w'));
  const RankedText ranked = rankWords(words);
  ASSERT_EQ(ranked.typeByRank.size(), 500u);
  for (int i = 0; i < 500; ++i) {
    EXPECT_EQ(ranked.typeByRank[i], words[i]);
    EXPECT_EQ(ranked.tokenRanks[i], i + 1);
  }
}

}  // namespace
}  // namespace tokshuf::rank
