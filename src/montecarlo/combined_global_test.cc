#include "montecarlo/combined_global_test.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "montecarlo/extreme_rank_length.h"

namespace tokshuf {

double combinedGlobalP(const std::vector<const GlobalEnvelope*>& measures,
                       int curves) {
  std::vector<const GlobalEnvelope*> tested;
  for (const GlobalEnvelope* measure : measures) {
    if (!std::isnan(measure->p)) tested.push_back(measure);
  }
  if (tested.empty()) return std::numeric_limits<double>::quiet_NaN();
  PointwiseRanks ranks(curves, int(tested.size()));
  std::vector<std::uint64_t> keys(curves);
  for (const GlobalEnvelope* measure : tested) {
    for (int i = 0; i < curves; ++i) {
      keys[i] = std::uint64_t(measure->doublePositions[i]);
    }
    // A small position is extreme in its measure's test; a large one is
    // merely central, so only one end counts.
    ranks.addColumn(keys.data(), ExtremeSide::kSmall);
  }
  return extremeRankP(ranks.doublePositions());
}

}  // namespace tokshuf
