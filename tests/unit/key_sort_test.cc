#include "montecarlo/key_sort.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace tokshuf {
namespace {

TEST(GlobalEnvelopeKeySort, KeysKeepTheOrderOfTheValues) {
  const double tiny = std::numeric_limits<double>::denorm_min();
  const double ascending[] = {-INFINITY, -1e300, -1.5, -1e-300, -tiny,   0.0,
                              tiny,      1e-300, 1.5,  1e300,   INFINITY};
  for (std::size_t i = 1; i < std::size(ascending); ++i) {
    EXPECT_LT(orderKey(ascending[i - 1]), orderKey(ascending[i])) << i;
  }
  EXPECT_EQ(orderKey(-0.0), orderKey(0.0));
}

TEST(GlobalEnvelopeKeySort, SortsAnyMixOfValues) {
  std::mt19937_64 r(3);
  std::normal_distribution<double> normal;
  const std::pair<int, std::function<double()>> cases[] = {
      {5001, [&] { return 100 + 3 * normal(r); }},
      {5001, [&] { return std::round(5000 + 9 * normal(r)); }},
      // Rare outliers put all other values in one bucket of the first pass.
      {3000, [&] { return r() % 999 ? 1 + double(r() % 999) * 1e-15 : 1e300; }},
      {700, [&] { return double(int(r() % 5) - 2) * (r() % 2 ? 1e-9 : -0.0); }},
      {40, [] { return 7.0; }},
  };
  for (const auto& [n, draw] : cases) {
    std::vector<double> values(n);
    std::vector<std::uint64_t> keys(n);
    for (int i = 0; i < n; ++i) keys[i] = orderKey(values[i] = draw());
    std::vector<KeyedCurve> sorted, scratch;
    sortCurvesByKey(keys.data(), n, sorted, scratch);
    std::vector<int> seen(n, 0);
    for (int k = 0; k < n; ++k) {
      ASSERT_EQ(sorted[k].key, keys[sorted[k].curve]);
      ++seen[sorted[k].curve];
      ASSERT_TRUE(k == 0 ||
                  values[sorted[k - 1].curve] <= values[sorted[k].curve]);
    }
    EXPECT_EQ(seen, std::vector<int>(n, 1)) << n;
  }
}

}  // namespace
}  // namespace tokshuf
