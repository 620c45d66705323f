#pragma once

#include <vector>

#include "common/limits.h"

namespace tokshuf {

// What the measures read at a chunk boundary: the frequency spectrum of the
// prefix read so far and the counts taken from it.
struct FrequencySpectrum {
  // VM is indexed by frequency; one word may make up the whole text.
  std::vector<int> VM = std::vector<int>(kMaxTokens + 1, 0);
  // frequencies[1..frequencyCount]: the distinct frequencies present, in
  // the order their types were first seen. That order decides the rounding
  // of every sum taken over the list.
  std::vector<int> frequencies = std::vector<int>(kMaxRank + 1, 0);
  int frequencyCount = 0;
  int mMax = 0;
  int N = 0;
  int V = 0;
  int V1 = 0, V2 = 0, V3 = 0, V4 = 0, V5 = 0;
  int fa = 0;    // tokens of the tracked rank A
  int fthe = 0;  // tokens of the tracked rank "the"

  // Reads V1..V5 off the spectrum.
  void readLowClasses() {
    V1 = VM[1];
    V2 = VM[2];
    V3 = VM[3];
    V4 = VM[4];
    V5 = VM[5];
  }
};

// The word-frequency state of the reference measurement: how often each
// word type occurs in the prefix, and the types in order of first
// occurrence, from which the spectrum is rebuilt at every boundary. One
// object serves one run at a time; its tables are sized once for the
// largest input and cleared sparsely.
struct WordFreqState : FrequencySpectrum {
  std::vector<int> countByRank = std::vector<int>(kMaxRank + 1, 0);
  std::vector<int> typesInOrder = std::vector<int>(kMaxRank + 1, 0);
  int typeCount = 0;
};

}  // namespace tokshuf
