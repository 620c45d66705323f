#pragma once

#include "common/text.h"
#include "measures/word_freq_state.h"

namespace tokshuf {

// Adds ranks[first..last] to the word-frequency state and rebuilds the
// frequency spectrum of the prefix ranks[1..last]. An empty stretch
// (first > last) only rebuilds.
void addChunkAndRebuild(WordFreqState& state, const std::vector<int>& ranks,
                        int rankA, int rankThe, int first, int last);

// Returns the state to its between-runs condition: clears exactly the
// per-type entries the run used. The spectrum is cleared by the next run's
// first rebuild.
void endRun(WordFreqState& state);

}  // namespace tokshuf
