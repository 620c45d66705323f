#include "rank/text_limits.h"

#include <gtest/gtest.h>

#include "rank/token_ids.h"

namespace tokshuf::rank {
namespace {

using Words = std::vector<std::string>;

TokenIds idsOf(const Words& words) {
  TokenIds ids;
  for (const std::string& word : words) ids.add(std::string(word));
  return ids;
}

TEST(TextLimitsTest, MeasuresTokensAndTypes) {
  const TokenIds ids = idsOf({"a", "b", "a", "c", "a"});
  EXPECT_EQ(ids.tokens().size(), 5u);
  EXPECT_EQ(ids.typeCount(), 3u);
  EXPECT_EQ(ids.tokens(), (std::vector<int>{0, 1, 0, 2, 0}));
}

TEST(TextLimitsTest, TokshufLimitsAreInclusive) {
  EXPECT_TRUE(fitsTokshuf({220000, 22000}));
  EXPECT_FALSE(fitsTokshuf({220001, 10}));
  EXPECT_FALSE(fitsTokshuf({100, 22001}));
}

TEST(TextLimitsTest, PrefixStopsBeforeTheFirstTypeTooMany) {
  // Three types allowed: "d" is the fourth type, so the prefix ends there
  // even though later tokens are of known types.
  const TokenIds ids = idsOf({"a", "b", "a", "c", "c", "d", "a", "b"});
  EXPECT_EQ(longestFittingPrefix(ids.tokens(), 100, 3), 5u);
}

TEST(TextLimitsTest, PrefixStopsAtTheTokenLimit) {
  EXPECT_EQ(longestFittingPrefix(idsOf({"a", "a", "a", "a", "a"}).tokens(), 3, 10), 3u);
}

TEST(TextLimitsTest, WholeTextWhenItFits) {
  EXPECT_EQ(longestFittingPrefix(idsOf({"a", "b", "c"}).tokens(), 3, 3), 3u);
  EXPECT_EQ(longestFittingPrefix({}, 3, 3), 0u);
}

TEST(TextLimitsTest, CuttingTheTextKeepsOnlyTheTypesOfThePrefix) {
  TokenIds ids = idsOf({"a", "b", "a", "c", "d", "a"});
  ids.truncate(3);
  EXPECT_EQ(ids.tokens(), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(ids.typeCount(), 2u);
  ids.add("c");  // a new type again, with the next free id
  EXPECT_EQ(ids.tokens().back(), 2);
  ids.truncate(0);
  EXPECT_EQ(ids.typeCount(), 0u);
}

}  // namespace
}  // namespace tokshuf::rank
