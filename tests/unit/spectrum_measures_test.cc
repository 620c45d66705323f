#include "measures/spectrum_measures.h"

#include <gtest/gtest.h>

#include <cmath>

#include "prefix_state.h"

namespace tokshuf {
namespace {

using testing::prefixState;
using testing::printed;

double K(const WordFreqState& s) { return yuleK(s); }
double D(const WordFreqState& s) { return simpsonD(s); }
double E(const WordFreqState& s) { return entropy(s); }

TEST(SpectrumMeasures, WorkedPrefix) {
  const WordFreqState s = prefixState({5, 3, 5, 7});
  EXPECT_EQ(K(s), 1250.0);
  EXPECT_EQ(printed(D(s)), " 0.1666667");
  EXPECT_EQ(printed(E(s)), " 1.0397208");
}

TEST(SpectrumMeasures, OneToken) {
  const WordFreqState s = prefixState({8});
  EXPECT_EQ(K(s), 0.0);
  EXPECT_TRUE(std::isnan(D(s)));
  EXPECT_EQ(E(s), 0.0);
  EXPECT_TRUE(std::signbit(E(s)));
}

TEST(SpectrumMeasures, EveryTypeOnce) {
  const WordFreqState s = prefixState({1, 2, 3, 4, 5, 6});
  EXPECT_EQ(K(s), 0.0);
  EXPECT_EQ(D(s), 0.0);
  EXPECT_DOUBLE_EQ(E(s), std::log(6.0));
}

TEST(SpectrumMeasures, OneTypeRepeated) {
  const WordFreqState s = prefixState({2, 2, 2, 2, 2});
  EXPECT_DOUBLE_EQ(K(s), 10000.0 * (1.0 - 1.0 / 5));
  EXPECT_EQ(D(s), 1.0);
  EXPECT_EQ(E(s), 0.0);
  EXPECT_TRUE(std::signbit(E(s)));
}

TEST(SpectrumMeasures, EmptyPrefix) {
  const WordFreqState s = prefixState({});
  EXPECT_TRUE(std::isnan(K(s)));
  EXPECT_TRUE(std::isnan(D(s)));
  EXPECT_TRUE(std::signbit(E(s)));
}

TEST(SpectrumMeasures, LargeFrequenciesDoNotOverflow) {
  // One word 100000 times: m * m * v is far beyond 32 bits.
  std::vector<int> ranks(100000, 1);
  ranks.push_back(2);
  const WordFreqState s = prefixState(ranks);
  const double n = 100001.0;
  EXPECT_DOUBLE_EQ(K(s), 10000.0 * (1e10 + 1 - n) / (n * n));
  EXPECT_DOUBLE_EQ(D(s), 100000.0 * 99999.0 / (n * (n - 1)));
}

}  // namespace
}  // namespace tokshuf
