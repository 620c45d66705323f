#include "measures/lognormal.h"

#include <gtest/gtest.h>

#include <cmath>

#include "prefix_state.h"

namespace tokshuf {
namespace {

using testing::prefixState;

struct LogValues {
  double lM, lSt, sLmean, sLstdev;
};

LogValues logValues(const WordFreqState& s) {
  LogValues v;
  const LognormalFit fit = lognormalFit(s);
  v.sLmean = fit.mean;
  v.sLstdev = fit.stdDev;
  v.lM = logFrequencyMean(s);
  v.lSt = logFrequencyStdDev(s, v.lM);
  return v;
}

TEST(Lognormal, SevenTokenExample) {
  const WordFreqState s = prefixState({1, 1, 1, 2, 2, 3, 4});
  ASSERT_EQ(s.frequencyCount, 3);
  EXPECT_EQ(s.frequencies[1], 3);
  EXPECT_EQ(s.frequencies[2], 2);
  EXPECT_EQ(s.frequencies[3], 1);
  const LogValues v = logValues(s);
  EXPECT_NEAR(v.lM, 0.447940, 5e-7);
  EXPECT_NEAR(v.lSt, 0.543078, 5e-7);
  EXPECT_NEAR(v.sLmean, -1.117608, 5e-7);
  EXPECT_NEAR(v.sLstdev, 0.234095, 5e-7);
  // The shares of the classes 3, 2 and 1 (two types), in list order.
  EXPECT_EQ(v.sLmean,
            (std::log(3.0 / 7) + std::log(2.0 / 7) + std::log(2.0 / 7)) / 3);
}

TEST(Lognormal, EveryTypeOnce) {
  const LogValues v = logValues(prefixState({1, 2, 3, 4}));
  EXPECT_EQ(v.lM, 0.0);
  EXPECT_EQ(v.lSt, 0.0);
  EXPECT_EQ(v.sLmean, 0.0);
  EXPECT_TRUE(std::isnan(v.sLstdev));
}

TEST(Lognormal, OneClassPerFrequencyMakesBothSpreadsEqual) {
  const LogValues v = logValues(prefixState({1, 1, 1, 2, 2, 3}));
  EXPECT_NEAR(v.lSt, v.sLstdev, 1e-15);
}

TEST(Lognormal, SingleTypeSpreadIsNotFinite) {
  const LogValues v = logValues(prefixState({4, 4, 4}));
  EXPECT_FALSE(std::isfinite(v.lSt));
  EXPECT_TRUE(std::isnan(v.sLstdev));
}

}  // namespace
}  // namespace tokshuf
