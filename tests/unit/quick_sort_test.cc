#include "montecarlo/quick_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace tokshuf {
namespace {

std::vector<double> sorted(std::vector<double> values) {
  values.insert(values.begin(), -12345.0);  // entry 0 must not move
  quickSort(int(values.size()) - 1, values.data());
  EXPECT_EQ(values[0], -12345.0);
  values.erase(values.begin());
  return values;
}

TEST(Qcksrt, AgreesWithAnOrdinarySortWithoutNaN) {
  std::mt19937 random(42);
  for (int n : {0, 1, 2, 7, 8, 9, 50, 1000, 5000}) {
    std::vector<double> values(n);
    for (double& v : values) v = double(random() % 97) - 40.0;
    std::vector<double> expected = values;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted(values), expected) << n;
  }
}

TEST(Qcksrt, AllEqualValuesTerminate) {
  const std::vector<double> values(3000, 2.5);
  EXPECT_EQ(sorted(values), values);
}

TEST(Qcksrt, InsertionNeverMovesEqualValuesPastOneAnother) {
  // 0.0 and -0.0 compare equal: their order shows whether one passed the other.
  const std::vector<double> result = sorted({1.0, 0.0, -0.0, -1.0, 0.0});
  EXPECT_EQ(result[0], -1.0);
  EXPECT_FALSE(std::signbit(result[1]));
  EXPECT_TRUE(std::signbit(result[2]));
  EXPECT_FALSE(std::signbit(result[3]));
}

TEST(Qcksrt, NaNPivotPartitionFollowsTheSteps) {
  // n = 8: the first pivot is entry 1 + 8 * 1663 / 7875 = 2, the NaN. No
  // comparison with it holds, so the partition only rotates values around
  // it, and the insertion sort of the right part stops at the NaN.
  const double nan = std::nan("");
  const std::vector<double> result = sorted({3, nan, 1, 2, 8, 7, 6, 5});
  const std::vector<double> expected = {5, 6, 7, 8, nan, 1, 2, 3};
  ASSERT_EQ(result.size(), expected.size());
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (std::isnan(expected[i])) {
      EXPECT_TRUE(std::isnan(result[i])) << i;
    } else {
      EXPECT_EQ(result[i], expected[i]) << i;
    }
  }
}

TEST(Qcksrt, ShortRangeWithNaNStopsAtIt) {
  const double nan = std::nan("");
  const std::vector<double> result = sorted({4, nan, 3, 1});
  EXPECT_EQ(result[0], 4);
  EXPECT_TRUE(std::isnan(result[1]));
  EXPECT_EQ(result[2], 1);
  EXPECT_EQ(result[3], 3);
}

TEST(Qcksrt, ManyNaNsStillTerminateAndKeepTheMultiset) {
  std::mt19937 random(7);
  std::vector<double> values(5000);
  for (double& v : values)
    v = random() % 3 == 0 ? std::nan("") : double(random() % 100);
  const std::vector<double> result = sorted(values);
  auto count = [](const std::vector<double>& v) {
    return std::count_if(v.begin(), v.end(),
                         [](double x) { return std::isnan(x); });
  };
  EXPECT_EQ(count(result), count(values));
}

}  // namespace
}  // namespace tokshuf
