#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "common/fatal_error.h"
#include "driver/token_reader.h"

namespace tokshuf {
namespace {

// Reads a ranked-token file held in memory; returns the error line, or ""
// and the token count in *N.
std::string readWith(const std::string& content, const TextLimits& limits, int* N = nullptr) {
  std::FILE* file = fmemopen(const_cast<char*>(content.data()), content.size(), "r");
  try {
    const Text text = readRankedTokens(file, "t.zvc", true, limits);
    std::fclose(file);
    if (N != nullptr) *N = text.N;
    return "";
  } catch (const FatalError& error) {
    std::fclose(file);
    return error.message();
  }
}

TEST(TextLimits, FollowTheOptions) {
  Settings settings;
  EXPECT_EQ(TextLimits::of(settings).kind, TextLimits::Kind::kClassic);
  EXPECT_EQ(TextLimits::of(settings).maxTokens, 220000);
  settings.noLimits = true;
  EXPECT_EQ(TextLimits::of(settings).kind, TextLimits::Kind::kLiteralStream);
  EXPECT_EQ(TextLimits::of(settings).maxTokens, 16777216);
  settings.seed = 7;
  EXPECT_EQ(TextLimits::of(settings).kind, TextLimits::Kind::kSeededStream);
  EXPECT_EQ(TextLimits::of(settings).maxTokens, INT_MAX - 1);
}

// The last token that fits and the first that does not, for each kind of
// limit, with the ceiling lowered to three tokens.
TEST(TextLimits, TokenCountAtTheEdge) {
  struct Case {
    TextLimits::Kind kind;
    std::string refusal;
  };
  const Case cases[] = {
      {TextLimits::Kind::kClassic, "tokshuf: ERROR: text length exceeds array bounds\n"},
      {TextLimits::Kind::kLiteralStream,
       "tokshuf: t.zvc, line 5: more than 3 tokens: the fixed random stream draws "
       "single-precision numbers, which cannot reach every position of a longer text; "
       "--seed gives independent runs that can\n"},
      {TextLimits::Kind::kSeededStream,
       "tokshuf: t.zvc, line 5: more than 3 tokens; a longer text cannot be counted\n"},
  };
  const std::string three = "Word z\na 1\nb 2\nc 1\n";
  for (const Case& c : cases) {
    const TextLimits limits{c.kind, 3};
    int N = 0;
    EXPECT_EQ(readWith(three, limits, &N), "");
    EXPECT_EQ(N, 3);
    EXPECT_EQ(readWith(three + "d 3\n", limits), c.refusal);
  }
}

TEST(TextLimits, RanksBeyondTheClassicTablesNeedNoLimits) {
  const TextLimits classic;
  const TextLimits none{TextLimits::Kind::kLiteralStream, 100};
  EXPECT_EQ(readWith("Word z\na 22000\n", classic), "");
  EXPECT_EQ(readWith("Word z\na 22001\n", classic),
            "tokshuf: ERROR: number of types exceeds array bounds\n");
  EXPECT_EQ(readWith("Word z\na 22001\nb 2147483647\n", none), "");
  for (const TextLimits& limits : {classic, none}) {
    EXPECT_EQ(readWith("Word z\na 2147483648\n", limits),
              "tokshuf: t.zvc, line 2: rank field \"2147483648\" is not a decimal integer that "
              "fits an int\n");
  }
}

}  // namespace
}  // namespace tokshuf
