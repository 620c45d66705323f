#include "plot/axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tokshuf::plot {
namespace {

TEST(AxisTicksTest, RoundStepsCoverTheRange) {
  const AxisScale scale = niceScale(0, 38265, 4);
  EXPECT_EQ(scale.step, 10000);
  EXPECT_EQ(scale.low, 0);
  EXPECT_EQ(scale.high, 40000);
  EXPECT_EQ(scale.ticks, (std::vector<double>{0, 10000, 20000, 30000, 40000}));
}

TEST(AxisTicksTest, FractionalRangesGetFractionalTicks) {
  const AxisScale scale = niceScale(0.12, 0.87, 4);
  EXPECT_DOUBLE_EQ(scale.step, 0.2);
  EXPECT_DOUBLE_EQ(scale.low, 0.0);
  EXPECT_DOUBLE_EQ(scale.high, 1.0);
  ASSERT_EQ(scale.ticks.size(), 6u);
  EXPECT_EQ(formatTick(scale.ticks[3], scale.step), "0.6");
}

TEST(AxisTicksTest, NegativeRange) {
  const AxisScale scale = niceScale(-13, -2, 4);
  EXPECT_EQ(scale.step, 5);
  EXPECT_EQ(scale.low, -15);
  EXPECT_EQ(scale.high, 0);
}

TEST(AxisTicksTest, ConstantSeriesStillGetsAnAxis) {
  const AxisScale zero = niceScale(0, 0, 4);
  EXPECT_LT(zero.low, 0);
  EXPECT_GT(zero.high, 0);
  const AxisScale seven = niceScale(7, 7, 4);
  EXPECT_LT(seven.low, 7);
  EXPECT_GT(seven.high, 7);
}

TEST(AxisTicksTest, LabelsAreShort) {
  EXPECT_EQ(formatTick(0, 0.5), "0");
  EXPECT_EQ(formatTick(1.5, 0.5), "1.5");
  EXPECT_EQ(formatTick(120, 20), "120");
  EXPECT_EQ(formatTick(20000, 10000), "20k");
  EXPECT_EQ(formatTick(5000, 5000), "5k");
  EXPECT_EQ(formatTick(1500, 500), "1500");
  EXPECT_EQ(formatTick(0.002, 0.001), "0.002");
  EXPECT_EQ(formatTick(-0.25, 0.05), "-0.25");
}

// Every scale must have finite ends with low < high, and every finite
// value between them a finite fraction, whatever the doubles involved.
void expectUsable(const AxisScale& scale, double min, double max) {
  EXPECT_TRUE(std::isfinite(scale.low) && std::isfinite(scale.high)) << min << " " << max;
  EXPECT_LT(scale.low, scale.high) << min << " " << max;
  EXPECT_GE(scale.ticks.size(), 2u);
  for (double tick : scale.ticks) EXPECT_TRUE(std::isfinite(axisFraction(scale, tick)));
  for (double v : {min, max}) {
    const double t = axisFraction(scale, v);
    EXPECT_TRUE(t >= -1e-9 && t <= 1 + 1e-9) << v << " at " << t;
  }
  for (double tick : scale.ticks) EXPECT_FALSE(tickLabel(scale, tick).empty());
}

TEST(AxisTicksTest, ValuesAtTheLimitsOfADoubleGetAFiniteAxis) {
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kTiny = std::numeric_limits<double>::denorm_min();  // 5e-324
  for (auto [min, max] : std::vector<std::pair<double, double>>{
           {-1e308, 1e308}, {-kMax, kMax}, {kTiny, kTiny}, {0, kTiny}, {-kTiny, kTiny},
           {kMax, kMax}, {-kMax, -kMax}, {1e15, 1e15 + 0.125}, {-1e15, 0.3}, {1e-300, 2e-300}}) {
    expectUsable(niceScale(min, max, 4), min, max);
  }
  const AxisScale wide = niceScale(-1e308, 1e308, 4);
  EXPECT_DOUBLE_EQ(axisFraction(wide, 0), 0.5);
}

TEST(AxisTicksTest, FractionsOfValuesTheAxisCannotShowAreNan) {
  const AxisScale linear = niceScale(0, 10, 4);
  EXPECT_DOUBLE_EQ(axisFraction(linear, 5), 0.5);
  EXPECT_TRUE(std::isnan(axisFraction(linear, std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(axisFraction(linear, std::nan(""))));
  const AxisScale log = logScale(1, 1000);
  EXPECT_TRUE(std::isnan(axisFraction(log, 0)));
  EXPECT_TRUE(std::isnan(axisFraction(log, -2)));
}

TEST(AxisTicksTest, LogarithmicAxes) {
  const AxisScale decades = logScale(3, 45000);
  EXPECT_TRUE(decades.logarithmic);
  EXPECT_EQ(decades.low, 2);
  EXPECT_EQ(decades.high, 50000);
  EXPECT_EQ(decades.ticks, (std::vector<double>{10, 100, 1000, 10000}));
  EXPECT_NEAR(axisFraction(decades, 1000), std::log10(500) / std::log10(25000), 1e-12);
  EXPECT_EQ(tickLabel(decades, 10000), "10k");
  EXPECT_EQ(tickLabel(decades, 10), "10");

  const AxisScale narrow = logScale(0.13, 0.7);
  EXPECT_DOUBLE_EQ(narrow.low, 0.1);
  EXPECT_DOUBLE_EQ(narrow.high, 1);
  EXPECT_EQ(narrow.ticks.size(), 4u);  // 0.1 0.2 0.5 1
  EXPECT_EQ(tickLabel(narrow, narrow.ticks[1]), "0.2");
  const double tiny = std::numeric_limits<double>::denorm_min();
  const double max = std::numeric_limits<double>::max();
  for (double v : {1e-300, 1e300, 100.0, tiny, max}) expectUsable(logScale(v, v), v, v);
  expectUsable(logScale(tiny, max), tiny, max);
  EXPECT_LE(logScale(1e-300, 1e300).ticks.size(), 8u);
}

}  // namespace
}  // namespace tokshuf::plot
