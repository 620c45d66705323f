#pragma once

#include <algorithm>
#include <vector>

#include "common/limits.h"
#include "common/text_shape.h"

namespace tokshuf {

// What the measures read at a chunk boundary: the frequency spectrum of the
// prefix read so far and the counts taken from it.
struct FrequencySpectrum {
  explicit FrequencySpectrum(const TextShape& shape = TextShape())
      : VM(std::size_t(std::max(shape.maxTypeCount, 5)) + 1, 0),
        frequencies(std::size_t(shape.typeLimit), 0) {}

  // VM is indexed by frequency, up to the largest count of a type (and at
  // least up to 5, for V1..V5).
  std::vector<int> VM;
  // frequencies[1..frequencyCount]: the distinct frequencies present, in
  // the order their types were first seen. That order decides the rounding
  // of every sum taken over the list.
  std::vector<int> frequencies;
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
// text (TextShape) and cleared sparsely.
struct WordFreqState : FrequencySpectrum {
  explicit WordFreqState(const TextShape& shape = TextShape())
      : FrequencySpectrum(shape),
        countByRank(std::size_t(shape.typeLimit), 0),
        typesInOrder(std::size_t(shape.typeLimit), 0) {}

  std::vector<int> countByRank;
  std::vector<int> typesInOrder;
  int typeCount = 0;
};

}  // namespace tokshuf
