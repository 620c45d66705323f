#pragma once

#include <vector>

#include "common/run_arrays.h"
#include "common/settings.h"
#include "montecarlo/global_envelope.h"

namespace tokshuf {

// The global envelope test of every chosen measure, over the text and its
// permutation runs, and the combined test over all of them.
struct GlobalTests {
  std::vector<GlobalEnvelope> measures;  // by column 1..count; entry 0 unused
  double combinedP = 0.0;

  // The measures that were tested (p not NaN) and those at p < alpha.
  int testedCount() const;
  int significantCount(int confidenceLevel, int curves) const;
};

// Spreads the measures over up to `threads` threads; the result does not
// depend on their number.
GlobalTests testGlobally(const RunArrays& runs, const Settings& settings, int threads);

}  // namespace tokshuf
