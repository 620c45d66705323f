#pragma once

#include <vector>

#include "common/limits.h"
#include "common/word_freq_state.h"

namespace tokshuf {

// Everything one run mutates while it measures a token order: the
// word-frequency state, the lognormal scratch array, the fit results handed
// from the fits to the measure vector, and the run's missing-fit counts.
// Separate runs with separate RunStates can be computed at once.
struct RunState {
  WordFreqState wf;
  std::vector<double> logShares = std::vector<double>(kMaxRank + 1, 0.0);
  double lognormalMean = 0.0;
  double lognormalStdDev = 0.0;
  double sichelB = 0.0;
  double sichelC = 0.0;
  double sichelA1 = 0.0;
  int missingZipfFits = 0;
  int missingSichelFits = 0;
};

}  // namespace tokshuf
