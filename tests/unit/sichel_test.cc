#include "measures/sichel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/fatal_error.h"

namespace tokshuf {
namespace {

TEST(Sichel, FindsTheNonTrivialRoot) {
  const SichelFit fit = sichelFit(10000, 2500, 1200);
  EXPECT_FALSE(fit.failed);
  EXPECT_NEAR(fit.c, 0.003039261, 5e-10);
  EXPECT_NEAR(fit.b, 0.0862448, 5e-8);
  EXPECT_NEAR(fit.a1, 0.48, 1e-8);
}

TEST(Sichel, SecondExample) {
  const SichelFit fit = sichelFit(1000, 300, 50);
  EXPECT_FALSE(fit.failed);
  EXPECT_NEAR(fit.b, 10.6797, 5e-5);
  EXPECT_NEAR(fit.c, 0.000584943, 5e-10);
  EXPECT_NEAR(fit.a1, 1.0 / 6, 1e-7);
}

TEST(Sichel, WalkEndingAtTheTrivialRoot) {
  const SichelFit fit = sichelFit(1000, 400, 250);
  EXPECT_FALSE(fit.failed);
  EXPECT_NEAR(fit.b, 0.0, 1e-6);
  EXPECT_NEAR(fit.c, 0.015, 1e-9);
  EXPECT_NEAR(fit.a1, 0.625, 1e-4);
}

TEST(Sichel, SearchThatNeverStartsKeepsTheRawFormulas) {
  const SichelFit fit = sichelFit(7, 4, 2);
  EXPECT_FALSE(fit.failed);
  EXPECT_EQ(fit.c, 0.0);
  EXPECT_TRUE(std::isinf(fit.b));
  EXPECT_TRUE(std::isnan(fit.a1));
}

TEST(Sichel, NoHapaxesGiveNaNWithoutAMissingFit) {
  const SichelFit fit = sichelFit(10, 3, 0);
  EXPECT_FALSE(fit.failed);
  EXPECT_TRUE(std::isnan(fit.b));
  EXPECT_TRUE(std::isnan(fit.c));
  EXPECT_TRUE(std::isnan(fit.a1));
}

TEST(Sichel, NegativeTrialValueFailsTheFit) {
  const SichelFit fit = sichelFit(2500, 16, 8);
  EXPECT_TRUE(fit.failed);
  EXPECT_EQ(fit.b, 0.0);
  EXPECT_EQ(fit.c, 0.0);
  EXPECT_EQ(fit.a1, 0.0);
}

TEST(Sichel, TrialValueOfZeroIsFatal) {
  try {
    sichelFit(20000, 10, 5);
    FAIL() << "expected the fit to end the run";
  } catch (const FatalError& error) {
    EXPECT_STREQ(error.message(), "z <= 0;         0.0000000000\n");
  }
}

TEST(Sichel, FzRefusesNonPositiveButPassesNaN) {
  EXPECT_THROW(fz(0.0, 10, 5, 2), FatalError);
  EXPECT_THROW(fz(-1.5, 10, 5, 2), FatalError);
  EXPECT_TRUE(std::isnan(fz(std::nan(""), 10, 5, 2)));
  try {
    fz(-1.5, 10, 5, 2);
  } catch (const FatalError& error) {
    EXPECT_STREQ(error.message(), "z <= 0;        -1.5000000000\n");
  }
}

TEST(Sichel, TrivialRootIsAFixedPoint) {
  EXPECT_EQ(fz(1.0, 100, 40, 20), 1.0);
  EXPECT_EQ(delta(1.0, 100, 40, 20), 0.0);
}

}  // namespace
}  // namespace tokshuf
