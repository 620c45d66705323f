#include "rank/text_limits.h"

#include <gtest/gtest.h>

namespace tokshuf::rank {
namespace {

using Words = std::vector<std::string>;

TEST(TextLimitsTest, MeasuresTokensAndTypes) {
  const TextSize size = measureText({"a", "b", "a", "c", "a"});
  EXPECT_EQ(size.tokens, 5u);
  EXPECT_EQ(size.types, 3u);
}

TEST(TextLimitsTest, TokshufLimitsAreInclusive) {
  EXPECT_TRUE(fitsTokshuf({220000, 22000}));
  EXPECT_FALSE(fitsTokshuf({220001, 10}));
  EXPECT_FALSE(fitsTokshuf({100, 22001}));
}

TEST(TextLimitsTest, PrefixStopsBeforeTheFirstTypeTooMany) {
  // Three types allowed: "d" is the fourth type, so the prefix ends there
  // even though later tokens are of known types.
  const Words words{"a", "b", "a", "c", "c", "d", "a", "b"};
  EXPECT_EQ(longestFittingPrefix(words, 100, 3), 5u);
}

TEST(TextLimitsTest, PrefixStopsAtTheTokenLimit) {
  const Words words{"a", "a", "a", "a", "a"};
  EXPECT_EQ(longestFittingPrefix(words, 3, 10), 3u);
}

TEST(TextLimitsTest, WholeTextWhenItFits) {
  const Words words{"a", "b", "c"};
  EXPECT_EQ(longestFittingPrefix(words, 3, 3), 3u);
  EXPECT_EQ(longestFittingPrefix({}, 3, 3), 0u);
}

}  // namespace
}  // namespace tokshuf::rank
