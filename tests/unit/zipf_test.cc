#include "measures/zipf.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tokshuf {
namespace {

constexpr ZipfForm kLogarithmic = ZipfForm::kLogarithmic;

TEST(Zipf, HarmonicStartsAtOneHalf) {
  EXPECT_EQ(harmonic(0), 0.0);
  EXPECT_EQ(harmonic(-3), 0.0);
  EXPECT_EQ(harmonic(1), 0.5);
  EXPECT_EQ(harmonic(2), 0.5 + 1.0 / 3);
}

TEST(Zipf, HalvesTheUpperEndUntilWithinTolerance) {
  int zeros = 0;
  EXPECT_EQ(zipfSize(0.05, 100, 60, &zeros, kLogarithmic), 216.23046875);
  EXPECT_EQ(zeros, 0);
}

TEST(Zipf, MovesTheIntervalUpWhenTooSmall) {
  int zeros = 0;
  const double Z = zipfSize(0.06, 10000, 2500, &zeros, kLogarithmic);
  EXPECT_NEAR(Z, 48998.2065, 5e-5);
  EXPECT_LE(std::fabs(2500 - zipfVocabulary(Z, 0.06, 10000, kLogarithmic)),
            0.5);
  EXPECT_EQ(zeros, 0);
}

TEST(Zipf, NoSolutionCountsAMissingFit) {
  int zeros = 3;
  EXPECT_EQ(zipfSize(0.5, 10, 3, &zeros, kLogarithmic), 0.0);
  EXPECT_EQ(zeros, 4);
}

TEST(Zipf, FirstTrialWithinTolerance) {
  int zeros = 0;
  EXPECT_EQ(zipfSize(1.0, 1, 1, &zeros, kLogarithmic), 251.0);
  EXPECT_NEAR(zipfVocabulary(251.0, 1.0, 1.0, kLogarithmic), 1.004, 1e-12);
}

TEST(Zipf, NoRepeatsGiveAnInfiniteSizeThatIsNotAMissingFit) {
  int zeros = 0;
  const double Z = zipfSize(0.05, 1000, 1000, &zeros, kLogarithmic);
  EXPECT_TRUE(std::isinf(Z));
  EXPECT_GT(Z, 0);
  EXPECT_EQ(zeros, 0);
}

TEST(Zipf, ZeroShareGivesNaN) {
  int zeros = 0;
  EXPECT_TRUE(std::isnan(zipfSize(0.0, 1000, 300, &zeros, kLogarithmic)));
  EXPECT_EQ(zeros, 0);
}

TEST(Zipf, HarmonicFormUsesTheFloorOfTheProduct) {
  const double z = 100.0, p = 0.05;
  const double expected =
      std::log(1000.0 / z) * (z / harmonic(5)) * (1000.0 / (1000.0 - z));
  EXPECT_EQ(zipfVocabulary(z, p, 1000.0, ZipfForm::kHarmonic), expected);
}

TEST(Zipf, AtTheTokenCountTheFormulaIsNaN) {
  EXPECT_TRUE(std::isnan(zipfVocabulary(1000.0, 0.05, 1000.0, kLogarithmic)));
}

}  // namespace
}  // namespace tokshuf
