#pragma once

#include "montecarlo/engine_settings.h"

namespace tokshuf {

// The whole program: scans the options, reads the ranked-token file,
// measures the text and its permutations and writes the profile files.
// Returns the exit status; every message goes to standard error.
int runTokshuf(int argc, char** argv);

// The same program with a chosen engine and thread count, for the tests and
// benchmarks that compare the engines.
int runTokshuf(const EngineSettings& engine, int argc, char** argv);

}  // namespace tokshuf
