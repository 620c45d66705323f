#include <gtest/gtest.h>

#include <cmath>

#include "montecarlo/combined_global_test.h"

namespace tokshuf {
namespace {

GlobalEnvelope measure(double p, std::vector<long long> doublePositions) {
  GlobalEnvelope e;
  e.p = p;
  e.doublePositions = std::move(doublePositions);
  return e;
}

TEST(GlobalEnvelopeCombined, OrdersTheCurvesByTheirPositionsInEachMeasure) {
  const GlobalEnvelope a = measure(0.4, {4, 10, 6, 8, 2});
  const GlobalEnvelope b = measure(0.2, {2, 8, 6, 10, 4});
  const GlobalEnvelope c = measure(0.6, {5, 9, 9, 5, 2});
  const GlobalEnvelope untested = measure(std::nan(""), {});
  const std::pair<std::vector<const GlobalEnvelope*>, double> cases[] = {
      {{&a}, 0.4},  // alone, a measure keeps its own p
      {{&b}, 0.2},
      // Ranks in a (2,5,3,4,1) and b (1,4,3,5,2); sorted T0 (1,2),
      // T1 (4,5), T2 (3,3), T3 (4,5), T4 (1,2): T0 and T4 share e' = 1.5.
      {{&a, &b}, 0.4},
      {{&b, &untested, &a}, 0.4},
      // Ranks in c (2.5,4.5,4.5,2.5,1); with b's sorted T0 (1,2.5),
      // T1 (4,4.5), T2 (3,4.5), T3 (2.5,5), T4 (1,2): T0 comes second.
      {{&c, &b}, 0.4},
  };
  for (const auto& [measures, p] : cases) {
    EXPECT_EQ(combinedGlobalP(measures, 5), p) << measures.size();
  }
  EXPECT_TRUE(std::isnan(combinedGlobalP({&untested}, 5)));
  EXPECT_TRUE(std::isnan(combinedGlobalP({}, 5)));
}

}  // namespace
}  // namespace tokshuf
