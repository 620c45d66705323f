#pragma once

#include <vector>

#include "common/limits.h"

namespace tokshuf {

// How often each word type occurs in the prefix read so far, and the
// frequency spectrum derived from it. One object serves one run at a time;
// its tables are sized once for the largest input and cleared sparsely.
struct WordFreqState {
  WordFreqState()
      : countByRank(kMaxRank + 1, 0),
        typesInOrder(kMaxRank + 1, 0),
        VM(kMaxTokens + 1, 0),
        frequencies(kMaxRank + 1, 0) {}

  std::vector<int> countByRank;   // by rank: occurrences in the prefix
  std::vector<int> typesInOrder;  // ranks seen, in order of first occurrence
  int typeCount = 0;
  // VM is indexed by frequency; one word may make up the whole text.
  std::vector<int> VM;
  std::vector<int> frequencies;  // distinct frequencies present, unsorted
  int frequencyCount = 0;
  int mMax = 0;
  int N = 0;
  int V = 0;
  int V1 = 0, V2 = 0, V3 = 0, V4 = 0, V5 = 0;
  int fa = 0;
  int fthe = 0;

  // Reads V1..V5 off the rebuilt spectrum.
  void readLowClasses() {
    V1 = VM[1];
    V2 = VM[2];
    V3 = VM[3];
    V4 = VM[4];
    V5 = VM[5];
  }
};

}  // namespace tokshuf
