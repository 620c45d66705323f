#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "measures/spectrum.h"
#include "measures/word_freq_state.h"

namespace tokshuf::testing {

// The word-frequency state after reading the given ranks as one chunk.
inline WordFreqState prefixState(std::vector<int> ranks) {
  ranks.insert(ranks.begin(), 0);
  WordFreqState s;
  addChunkAndRebuild(s, ranks, 4, 1, 1, int(ranks.size()) - 1);
  s.N = int(ranks.size()) - 1;
  return s;
}

// A value as the profile files print it.
inline std::string printed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%10.7f", value);
  return text;
}

}  // namespace tokshuf::testing
