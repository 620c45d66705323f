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
  std::vector<double> PVM = std::vector<double>(kMaxRank + 1, 0.0);
  double smean = 0.0;
  double sstdev = 0.0;
  double cur_b = 0.0;
  double cur_c = 0.0;
  double cur_a1 = 0.0;
  int zipfzeros = 0;
  int sichelzeros = 0;
};

}  // namespace tokshuf
