#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "measures/spectrum.h"
#include "measures/word_freq_state.h"

namespace tokshuf::testing {

// The ranks as a token sequence: behind an unused entry 0.
inline std::vector<int> tokenSequence(std::vector<int> ranks) {
  ranks.insert(ranks.begin(), 0);
  return ranks;
}

// The word-frequency state after reading the given ranks as one chunk.
inline WordFreqState prefixState(const std::vector<int>& ranks) {
  WordFreqState s;
  addChunkAndRebuild(s, tokenSequence(ranks), 4, 1, 1, int(ranks.size()));
  return s;
}

// A value as the profile files print it.
inline std::string printed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%10.7f", value);
  return text;
}

}  // namespace tokshuf::testing
