#include "plot/value_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tokshuf::plot {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ValueRangeTest, OrdinaryValuesKeepTheirWholeRange) {
  const ValueRange range = bulkRange({3, 1, 4, 1, 5, 9, 2, 6});
  EXPECT_FALSE(range.empty);
  EXPECT_EQ(range.min, 1);
  EXPECT_EQ(range.max, 9);
  // A steep start is part of the curve, not an outlier.
  EXPECT_EQ(bulkRange({400, 262, 175, 160, 155, 152, 150, 151}).max, 400);
}

TEST(ValueRangeTest, OneFarValueIsLeftToTheEdge) {
  // Sichel's b of a tiny text: one chunk far beyond the rest.
  std::vector<double> b{-0.5, -0.8, -1.1, -0.9, -1e15, -0.7, -0.6, -0.65, -0.72, -0.8, -0.9};
  const ValueRange range = bulkRange(b);
  EXPECT_DOUBLE_EQ(range.min, -1.1);
  EXPECT_DOUBLE_EQ(range.max, -0.5);
  b.push_back(1e308);  // and one at the other end
  EXPECT_DOUBLE_EQ(bulkRange(b).max, -0.5);
}

TEST(ValueRangeTest, NeverLeavesOutMoreThanAFewValues) {
  // Half the values far out: they are the data, not a few strays.
  const ValueRange range = bulkRange({1, 2, 3, 1e12, 2e12, 3e12});
  EXPECT_EQ(range.min, 1);
  EXPECT_EQ(range.max, 3e12);
  // Among few values, one stray at each end at most.
  EXPECT_EQ(bulkRange({1, 2, 3, 4, 5, 1e9, 2e9, 3e9}).max, 3e9);
  // Two values cannot outvote each other.
  EXPECT_EQ(bulkRange({1, 1e300}).max, 1e300);
}

TEST(ValueRangeTest, AConstantRestKeepsEveryValue) {
  // A flat line stays a flat line however far the axis reaches.
  EXPECT_EQ(bulkRange({0, 0, 0, 0, 0, 0, 0, 0, 0, 30}).max, 30);
}

TEST(ValueRangeTest, NonFiniteValuesAreIgnored) {
  EXPECT_TRUE(bulkRange({kNan, kInf, -kInf}).empty);
  EXPECT_TRUE(bulkRange({}).empty);
  const ValueRange range = bulkRange({kNan, 2, kInf, 5});
  EXPECT_EQ(range.min, 2);
  EXPECT_EQ(range.max, 5);
}

TEST(ValueRangeTest, ExtremeDoublesDoNotOverflow) {
  const double max = std::numeric_limits<double>::max();
  const ValueRange range = bulkRange({-max, max, -max, max});
  EXPECT_EQ(range.min, -max);
  EXPECT_EQ(range.max, max);
  const double tiny = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(bulkRange({tiny, tiny, tiny}).max, tiny);
}

TEST(ValueRangeTest, UnitedSpansCoverBoth) {
  const ValueRange a = bulkRange({1, 2});
  const ValueRange b = bulkRange({-5, 0});
  const ValueRange both = unite(a, b);
  EXPECT_EQ(both.min, -5);
  EXPECT_EQ(both.max, 2);
  EXPECT_EQ(unite(ValueRange{}, a).max, 2);
  EXPECT_EQ(unite(b, ValueRange{}).min, -5);
  EXPECT_TRUE(unite(ValueRange{}, ValueRange{}).empty);
}

}  // namespace
}  // namespace tokshuf::plot
