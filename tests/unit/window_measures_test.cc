#include "measures/window_measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "prefix_state.h"

namespace tokshuf {
namespace {

using testing::tokenSequence;

constexpr int kTypeLimit = 64;

double measured(WindowMeasure m, const std::vector<int>& ranks,
                const WindowParameters& p = {}) {
  const std::vector<int> t = tokenSequence(ranks);
  return windowMeasureOfPrefix(m, t.data(), int(ranks.size()), p, kTypeLimit);
}

WindowParameters withWindow(int W) {
  WindowParameters p;
  p.window = W;
  return p;
}

WindowParameters withSegment(int S) {
  WindowParameters p;
  p.segment = S;
  return p;
}

WindowParameters withThreshold(double T) {
  WindowParameters p;
  p.mtldThreshold = T;
  return p;
}

// "test text with some text numbers hyphenhere and text punctuations".
const std::vector<int> kSentence = {1, 2, 3, 4, 2, 5, 6, 7, 2, 8};
// "one one two one one two one".
const std::vector<int> kOneTwo = {1, 1, 2, 1, 1, 2, 1};
// "apple orange apple orange pear pear apple orange".
const std::vector<int> kFruit = {1, 2, 1, 2, 3, 3, 1, 2};

struct StretchCase {
  const char* name;
  WindowMeasure measure;
  const std::vector<int>* tokens;
  int size;
  double expected;
};

TEST(WindowMeasures, MovingAndSegmentalTtrOfPeerExamples) {
  const StretchCase cases[] = {
      {"sentence, W 5", WindowMeasure::kMattr, &kSentence, 5, 0.9},
      {"sentence, S 5", WindowMeasure::kMsttr, &kSentence, 5, 0.9},
      {"one two, W 2", WindowMeasure::kMattr, &kOneTwo, 2, 5.0 / 6},
      {"one two, W 3", WindowMeasure::kMattr, &kOneTwo, 3, 2.0 / 3},
      {"one two, W 4", WindowMeasure::kMattr, &kOneTwo, 4, 0.5},
      {"fruit, S 2", WindowMeasure::kMsttr, &kFruit, 2, 0.875},
      // The last two tokens make no segment.
      {"fruit, S 3", WindowMeasure::kMsttr, &kFruit, 3, 2.0 / 3},
      {"fruit, S 4", WindowMeasure::kMsttr, &kFruit, 4, 0.625},
      // One window or segment: the TTR.
      {"fruit, W 8", WindowMeasure::kMattr, &kFruit, 8, 3.0 / 8},
      {"fruit, S 8", WindowMeasure::kMsttr, &kFruit, 8, 3.0 / 8},
      {"fruit, W 1", WindowMeasure::kMattr, &kFruit, 1, 1.0},
      {"fruit, S 1", WindowMeasure::kMsttr, &kFruit, 1, 1.0},
  };
  for (const StretchCase& c : cases) {
    WindowParameters p;
    p.window = p.segment = c.size;
    EXPECT_EQ(measured(c.measure, *c.tokens, p), c.expected) << c.name;
  }
}

TEST(WindowMeasures, StretchLongerThanThePrefixIsUndefined) {
  EXPECT_TRUE(
      std::isnan(measured(WindowMeasure::kMattr, kFruit, withWindow(9))));
  EXPECT_TRUE(
      std::isnan(measured(WindowMeasure::kMsttr, kFruit, withSegment(9))));
  EXPECT_TRUE(std::isnan(measured(WindowMeasure::kMattr, {}, withWindow(1))));
  EXPECT_TRUE(std::isnan(measured(WindowMeasure::kMsttr, {}, withSegment(1))));
}

TEST(WindowMeasures, MtldWithoutACompleteFactor) {
  // TTR 8/10 at the end both ways, never below 0.72 on the way:
  // 10 / ((1 - 0.8) / 0.28) = 14.
  EXPECT_DOUBLE_EQ(measured(WindowMeasure::kMtld, kSentence), 14.0);
}

TEST(WindowMeasures, MtldOfHandCountedFactors) {
  struct {
    const char* name;
    std::vector<int> tokens;
    double expected;
  } cases[] = {
      // Forward: "a a" ends a factor, "b c d" is a rest of TTR 1 that adds
      // nothing: 5 / 1. Backward "d c b a a" ends at TTR 4/5, a partial
      // factor of 0.2 / 0.28: 5 / (5 / 7) = 7.
      {"backward partial only", {1, 1, 2, 3, 4}, 6.0},
      // Forward: "a a", then the rest "b c d b" of TTR 3/4 adds 25/28:
      // 6 / (53/28) = 168/53. Backward "b d c b a a" is one factor, whose
      // TTR first falls below 0.72 at its last token: 6 / 1.
      {"factor and partial", {1, 1, 2, 3, 4, 2}, 243.0 / 53},
      // "a a" ends a factor at its second token each time.
      {"three factors", {1, 1, 2, 2, 3, 3}, 2.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(measured(WindowMeasure::kMtld, c.tokens), c.expected)
        << c.name;
  }
}

// 18 types, 7 of them again: the TTR reaches 18/25, which is the double
// 0.72 itself, and then a new type lifts it to 19/26.
std::vector<int> exactHitTokens() {
  std::vector<int> tokens;
  for (int type = 1; type <= 18; ++type) tokens.push_back(type);
  for (int type = 1; type <= 7; ++type) tokens.push_back(type);
  tokens.push_back(19);
  return tokens;
}

TEST(WindowMeasures, MtldThresholdReachedExactlyEndsNoFactor) {
  ASSERT_EQ(18.0 / 25.0, 0.72);
  // Neither direction ends a factor: 26 / ((7/26) / 0.28) = 27.04 twice.
  EXPECT_DOUBLE_EQ(measured(WindowMeasure::kMtld, exactHitTokens()), 27.04);
  // Just above 18/25 the forward reading ends a factor at token 25 and
  // the one-token rest adds nothing: (26 + 27.04) / 2.
  EXPECT_NEAR(measured(WindowMeasure::kMtld, exactHitTokens(),
                       withThreshold(0.7200001)),
              26.52, 1e-4);
}

TEST(WindowMeasures, MtldWithoutRepeatsIsInfinite) {
  EXPECT_EQ(measured(WindowMeasure::kMtld, {1, 2, 3, 4}), INFINITY);
  EXPECT_EQ(measured(WindowMeasure::kMtld, {5}), INFINITY);
  EXPECT_TRUE(std::isnan(measured(WindowMeasure::kMtld, {})));
}

TEST(WindowMeasures, MtldMaNeedsTenTokensPerFactor) {
  // The TTR is below 0.72 from the second token on, yet no factor is long
  // enough.
  EXPECT_TRUE(
      std::isnan(measured(WindowMeasure::kMtldMa, std::vector<int>(9, 1))));
  EXPECT_TRUE(std::isnan(measured(WindowMeasure::kMtldMa, kSentence)));
  EXPECT_TRUE(std::isnan(measured(WindowMeasure::kMtldMa, {})));
  // Only the whole text is a factor, read either way.
  EXPECT_EQ(measured(WindowMeasure::kMtldMa, std::vector<int>(10, 1)), 10.0);
}

TEST(WindowMeasures, MtldMaOfHandCountedFactors) {
  // 1..8, then 1 four times. Forward, from token 1 the TTR first falls
  // below 0.72 at 8/12; from token 2 it stays at 8/10 and 8/11 = 0.727;
  // from token 3 it is 7/10: lengths 12 and 10. Backward only the start
  // at the last token ends a factor, at 7/10: (11 + 10) / 2.
  const std::vector<int> tokens = {1, 2, 3, 4, 5, 6, 7, 8, 1, 1, 1, 1};
  EXPECT_EQ(measured(WindowMeasure::kMtldMa, tokens), 10.5);
  // At T 0.75, 8/11 ends factors too: forward 11, 11 and 10, backward
  // 10 and 11.
  EXPECT_EQ(measured(WindowMeasure::kMtldMa, tokens, withThreshold(0.75)),
            (32.0 / 3 + 10.5) / 2);
}

}  // namespace
}  // namespace tokshuf
