#pragma once

#include "common/text.h"
#include "common/word_freq_state.h"

namespace tokshuf {

// Adds TEXT[begin..eind] to the word-frequency state and rebuilds the
// frequency spectrum. An empty stretch (begin > eind) only rebuilds.
void spectrum(WordFreqState& state, const std::vector<int>& TEXT, int f_a,
              int f_the, int begin, int eind);

// Returns the state to its between-runs condition: clears exactly the
// per-type entries the run used. The spectrum is cleared by the next run's
// first rebuild.
void endRun(WordFreqState& state);

}  // namespace tokshuf
