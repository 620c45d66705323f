#pragma once

#include <cstdio>
#include <string>

#include "common/chunks.h"
#include "common/profile_table.h"
#include "common/settings.h"
#include "montecarlo/global_tests.h"

namespace tokshuf {

// The global envelopes' lower or upper bounds as a profile table (NaN
// where a chunk was left out of a measure's test), for TEXT.mgl and
// TEXT.mgh.
ProfileTable globalBounds(const GlobalTests& tests, bool upper);

// TEXT.mgt: a header "measure p below above left_out" and a row per chosen
// measure: its p, the chunks where the text lies strictly below and above
// its global envelope and the chunks left out of its test (as "1-3,7",
// "none" when there are none), then a row "all" with the combined p.
void writeGlobalTestTable(std::FILE* out, const GlobalTests& tests, const Settings& settings);

// The line on standard error that sums the tests up.
std::string globalTestSummary(const GlobalTests& tests, const Settings& settings);

// A warning line when the number of curves (runs + 1) does not make the
// test exact at the level, with run counts that would; "" when it does.
std::string runCountWarning(const Settings& settings);

}  // namespace tokshuf
