#include "table/band_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tokshuf::table {
namespace {

TEST(BandPositionTest, BoundsBelongToTheBand) {
  EXPECT_EQ(bandPosition(0.9, 1, 2), BandPosition::kBelow);
  EXPECT_EQ(bandPosition(1, 1, 2), BandPosition::kInside);
  EXPECT_EQ(bandPosition(1.5, 1, 2), BandPosition::kInside);
  EXPECT_EQ(bandPosition(2, 1, 2), BandPosition::kInside);
  EXPECT_EQ(bandPosition(2.1, 1, 2), BandPosition::kAbove);
  EXPECT_EQ(bandPosition(3, 3, 3), BandPosition::kInside);  // a band of one value
}

TEST(BandPositionTest, NoPositionWithoutFiniteValues) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  EXPECT_EQ(bandPosition(nan, 1, 2), std::nullopt);
  EXPECT_EQ(bandPosition(inf, 1, 2), std::nullopt);
  EXPECT_EQ(bandPosition(1.5, -inf, 2), std::nullopt);
  EXPECT_EQ(bandPosition(1.5, 1, nan), std::nullopt);
}

TEST(BandPositionTest, Names) {
  EXPECT_STREQ(bandPositionName(BandPosition::kBelow), "below");
  EXPECT_STREQ(bandPositionName(BandPosition::kInside), "inside");
  EXPECT_STREQ(bandPositionName(BandPosition::kAbove), "above");
}

}  // namespace
}  // namespace tokshuf::table
