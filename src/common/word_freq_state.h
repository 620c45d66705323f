#pragma once

#include <vector>

#include "common/limits.h"

namespace tokshuf {

// How often each word type occurs in the prefix read so far, and the
// frequency spectrum derived from it. One object serves one run at a time;
// its tables are sized once for the largest input and cleared sparsely.
struct WordFreqState {
  WordFreqState()
      : WORDFREQ(kMaxRank + 1, 0),
        TYPENLIJST(kMaxRank + 1, 0),
        VM(kMaxTokens + 1, 0),
        MLIJST(kMaxRank + 1, 0) {}

  std::vector<int> WORDFREQ;    // by rank: occurrences in the prefix
  std::vector<int> TYPENLIJST;  // ranks seen, in order of first occurrence
  int typenaantal = 0;
  // VM is indexed by frequency; one word may make up the whole text.
  std::vector<int> VM;
  std::vector<int> MLIJST;  // distinct frequencies present, unsorted
  int maantal = 0;
  int mMax = 0;
  int curN = 0;
  int curV = 0;
  int curV1 = 0, curV2 = 0, curV3 = 0, curV4 = 0, curV5 = 0;
  int freq_a = 0;
  int freq_the = 0;

  // Reads curV1..curV5 off the rebuilt spectrum.
  void readLowClasses() {
    curV1 = VM[1];
    curV2 = VM[2];
    curV3 = VM[3];
    curV4 = VM[4];
    curV5 = VM[5];
  }
};

}  // namespace tokshuf
