#include "measures/hypergeometric_diversity.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "measures/spectrum.h"
#include "prefix_state.h"
#include "support/zipfian_text.h"

namespace tokshuf {
namespace {

using testing::prefixState;

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// `tokens` tokens of `types` types, round robin.
std::vector<int> roundRobin(int tokens, int types) {
  std::vector<int> ranks;
  for (int i = 0; i < tokens; ++i) ranks.push_back(i % types + 1);
  return ranks;
}

const test::ZipfianTextShape kZipfian{20000, 3000, 1.0, 7};

double sumOfSquares(const VocdTtrs& E, double D) {
  double S = 0.0;
  for (int k = 0; k < kVocdSizes; ++k) S += std::pow(vocdModelTtr(35 + k, D) - E[k], 2);
  return S;
}

TEST(HypergeometricDiversity, PeerValues) {
  // LexicalRichness's sentence (N 10, V 8, one word 3 times). The product
  // form rounds otherwise than the peer's pmf: equal within 4 ulps.
  EXPECT_DOUBLE_EQ(hdd(prefixState({1, 2, 3, 4, 2, 5, 6, 7, 2, 8}), 5), 0.8833333333333332);
  // The same operations as the peer's: exact.
  EXPECT_EQ(vocdModelTtr(100, 2), 0.1809975124224178);
}

TEST(HypergeometricDiversity, DrawProbabilities) {
  // A type of 3 in 10 tokens: P_1 = 3/10, P_2 = 1 - (7/10)(6/9); from 8
  // draws on it cannot be missed.
  double p[10];
  drawProbabilities(10, 3, 1, 10, p);
  EXPECT_DOUBLE_EQ(p[0], 0.3);
  EXPECT_DOUBLE_EQ(p[1], 8.0 / 15);
  EXPECT_LT(p[6], 1.0);
  for (int n = 8; n <= 10; ++n) EXPECT_EQ(p[n - 1], 1.0);
  // One pass over n = 35..50 gives every P_n bit for bit as n factors alone.
  for (const auto& [N, m] : {std::pair{50, 1}, {50, 20}, {60, 7}, {5000, 1}, {5000, 4990}}) {
    double window[kVocdSizes];
    drawProbabilities(N, m, kVocdFirstDraws, kVocdLastDraws, window);
    for (int n = kVocdFirstDraws; n <= kVocdLastDraws; ++n) {
      double alone;
      drawProbabilities(N, m, n, n, &alone);
      EXPECT_EQ(bits(window[n - kVocdFirstDraws]), bits(alone)) << N << " " << m << " " << n;
    }
  }
}

TEST(HypergeometricDiversity, HddEdges) {
  // N = draws: every type is drawn, HD-D = V/N exactly; N < draws: NaN.
  EXPECT_EQ(hdd(prefixState(roundRobin(42, 11))), 11.0 / 42);
  EXPECT_TRUE(std::isnan(hdd(prefixState(roundRobin(41, 11)))));
  // Every type once: P_n(1) = n/N, so HD-D = 1.
  EXPECT_DOUBLE_EQ(hdd(prefixState(roundRobin(60, 60))), 1.0);
}

TEST(HypergeometricDiversity, VocdUndefined) {
  EXPECT_TRUE(std::isnan(vocdD(prefixState(roundRobin(49, 7)))));
  // Every E_n = 1: S falls without end as D grows.
  EXPECT_TRUE(std::isnan(vocdD(prefixState(roundRobin(60, 60)))));
}

TEST(HypergeometricDiversity, VocdFitsExactModelCurves) {
  for (const double D : {2.0, 10.0, 50.0, 100.0, 1000.0}) {
    VocdTtrs E;
    for (int k = 0; k < kVocdSizes; ++k) E[k] = vocdModelTtr(35 + k, D);
    EXPECT_NEAR(fitVocdD(E), D, 1e-9 * D);
  }
}

TEST(HypergeometricDiversity, VocdIsTheGlobalLeastSquaresFit) {
  // E_n is HD-D at n draws; a Zipfian prefix, and a curve that jumps from
  // D = 10 to D = 1000 halfway.
  std::vector<int> ranks = test::zipfianRanks(kZipfian);
  ranks.resize(5000);
  const WordFreqState s = prefixState(ranks);
  VocdTtrs zipfian, jump;
  for (int k = 0; k < kVocdSizes; ++k) {
    zipfian[k] = hdd(s, 35 + k);
    jump[k] = vocdModelTtr(35 + k, k < 8 ? 10.0 : 1000.0);
  }
  EXPECT_EQ(bits(fitVocdD(zipfian)), bits(vocdD(s)));
  for (const VocdTtrs& E : {zipfian, jump}) {
    const double D = fitVocdD(E);
    for (int k = 0; k <= 6000; ++k) {
      const double grid = std::pow(10.0, k / 1000.0);
      ASSERT_LE(sumOfSquares(E, D), sumOfSquares(E, grid) * (1 + 1e-12)) << D << " " << grid;
    }
  }
}

TEST(DrawProbabilityCache, SameBitsAsPlain) {
  // 60 prefixes, twice: the second pass reads memoised rows, and the 40
  // tables make room for new N on the way. The first prefix has HD-D but
  // no vocd-D; frequencies pass 512.
  const std::vector<int> text = test::zipfianTokenSequence(kZipfian);
  DrawProbabilityCache cache;
  for (int pass = 0; pass < 2; ++pass) {
    WordFreqState s;
    for (int last = 0, end = 45; end <= 20000; last = end, end += 333) {
      addChunkAndRebuild(s, text, 4, 1, last + 1, end);
      EXPECT_EQ(bits(hdd(s, kHddDraws, cache)), bits(hdd(s)));
      EXPECT_EQ(bits(hdd(s, 50, cache)), bits(hdd(s, 50)));
      EXPECT_EQ(bits(vocdD(s, cache)), bits(vocdD(s)));
      const DrawDiversity both = drawDiversity(s, cache);
      EXPECT_EQ(bits(both.hdd), bits(hdd(s)));
      EXPECT_EQ(bits(both.vocdD), bits(vocdD(s)));
    }
  }
}

}  // namespace
}  // namespace tokshuf
