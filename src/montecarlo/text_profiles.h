#pragma once

#include "common/chunks.h"
#include "common/profile_table.h"
#include "common/run_arrays.h"
#include "common/settings.h"
#include "common/text.h"
#include "measures/run_state.h"
#include "montecarlo/engine_settings.h"
#include "montecarlo/global_tests.h"

namespace tokshuf {

// Everything a run computes from a text, ready to be written.
struct TextProfiles {
  Chunks chunkEnds{};
  ProfileTables tables;
  MissingFits missing;  // over the file order and every permutation run
  RunArrays runs{0};    // every run's value of every chosen measure
  GlobalTests global;   // with settings.globalTest only
};

// Measures the text in its file order and, with permutation runs, in
// settings.nperm shuffled orders, and reduces the runs to the profile
// tables (and, when asked, the global envelope tests). The phase lines and progress numbers of the permutation runs go
// to engine.console. A fit that ends the program throws its FatalError.
TextProfiles profileText(const EngineSettings& engine, const Settings& settings,
                         const Text& text);
// The same, taking the text over (a long text is then held only once).
TextProfiles profileText(const EngineSettings& engine, const Settings& settings, Text&& text);

}  // namespace tokshuf
