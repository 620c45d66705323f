#include "plot/axis_ticks.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tokshuf::plot
