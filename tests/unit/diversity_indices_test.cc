#include "measures/diversity_indices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "prefix_state.h"

namespace tokshuf {
namespace {

using testing::prefixState;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// `types` types, each `times` times.
std::vector<int> repeated(int types, int times) {
  std::vector<int> ranks;
  for (int t = 0; t < times; ++t) {
    for (int rank = 1; rank <= types; ++rank) ranks.push_back(rank);
  }
  return ranks;
}

TEST(DiversityIndices, PeerValues) {
  // LexicalRichness: "test text with some text numbers hyphenhere and text
  // punctuations". Exact: the peer's code does the same operations.
  const WordFreqState s = prefixState({1, 2, 3, 4, 2, 5, 6, 7, 2, 8});
  EXPECT_EQ(typeTokenRatio(s), 0.8);
  EXPECT_EQ(carrollCttr(s), 1.7888543819998317);
  EXPECT_EQ(yuleI(s), 8.0);
  EXPECT_EQ(herdanVm(s), 0.18708286933869708);
  // quanteda.textstats: "a a b b c" and "b a b a b a b a".
  EXPECT_EQ(yuleI(prefixState({1, 1, 2, 2, 3})), 1.5);
  const double lg8 = std::log10(8.0);
  EXPECT_EQ(maasA(prefixState(repeated(2, 4))), std::sqrt((lg8 - std::log10(2.0)) / (lg8 * lg8)));
}

struct IndexCase {
  const char* name;
  std::vector<int> ranks;
  double ttr, cttr, maas, lgV0, U, S, I, Vm;
};

// Where an index is undefined the value is the one IEEE arithmetic gives.
TEST(DiversityIndices, HandCheckedAndUndefined) {
  const IndexCase cases[] = {
      // lg N = 2, lg V = 1; S2 = 10 * 10^2.
      {"N100V10", repeated(10, 10), 0.1, 10 / std::sqrt(200.0), 0.5, 2 / std::sqrt(3.0), 4.0, 0.0,
       100.0 / 990, 0.0},
      // lg N = 4, lg V = 2.
      {"N10000V100", repeated(100, 100), 0.01, 100 / std::sqrt(20000.0), std::sqrt(0.125),
       4 / std::sqrt(3.0), 8.0, 0.5, 1e4 / 999900, 0.0},
      // lg N = lg V = 0: 0/0 in Maas, lgV0 and U; lg(lg 1) = -inf.
      {"OneToken", {7}, 1.0, 1 / std::sqrt(2.0), kNaN, kNaN, kNaN, kNaN, kInf, 0.0},
      // lg V = 0.
      {"OneType", repeated(1, 10), 0.1, 1 / std::sqrt(20.0), 1.0, 0.0, 1.0, -kInf, 1.0 / 99, 0.0},
      // lg V = lg N = 1.
      {"EveryTypeOnce", repeated(10, 1), 1.0, 10 / std::sqrt(20.0), 0.0, kInf, kInf, kNaN, kInf,
       0.0},
  };
  for (const IndexCase& c : cases) {
    SCOPED_TRACE(c.name);
    const WordFreqState s = prefixState(c.ranks);
    const double expected[] = {c.ttr, c.cttr, c.maas, c.lgV0, c.U, c.S, c.I, c.Vm};
    const double actual[] = {typeTokenRatio(s), carrollCttr(s), maasA(s), maasLgV0(s),
                             dugastU(s),        summerS(s),     yuleI(s), herdanVm(s)};
    for (int i = 0; i < 8; ++i) {
      SCOPED_TRACE(i);
      if (std::isnan(expected[i])) {
        EXPECT_TRUE(std::isnan(actual[i])) << actual[i];
      } else {
        EXPECT_DOUBLE_EQ(actual[i], expected[i]);
      }
    }
  }
}

}  // namespace
}  // namespace tokshuf
