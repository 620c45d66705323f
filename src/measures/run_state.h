#pragma once

#include "measures/word_freq_state.h"

namespace tokshuf {

// Fits that found no solution, counted over the runs measured.
struct MissingFits {
  int zipf = 0;
  int sichel = 0;

  MissingFits& operator+=(const MissingFits& other) {
    zipf += other.zipf;
    sichel += other.sichel;
    return *this;
  }
};

// Everything one reference run mutates while it measures a token order.
// Separate runs with separate RunStates can be computed at once.
struct RunState {
  explicit RunState(const TextShape& shape = TextShape()) : words(shape) {}

  WordFreqState words;
  MissingFits missing;
};

}  // namespace tokshuf
