#pragma once

#include <vector>

#include "montecarlo/global_envelope.h"

namespace tokshuf {

// One p-value for several measures at once: every curve's positions in the
// measures' own tests are ordered once more by extreme rank length, the
// smallest positions being the extreme ones. Each envelope must come from
// the same curves in the same order. A measure whose p is NaN takes no
// part; NaN when none does.
double combinedGlobalP(const std::vector<const GlobalEnvelope*>& measures,
                       int curves);

}  // namespace tokshuf
