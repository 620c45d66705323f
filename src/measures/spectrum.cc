#include "measures/spectrum.h"

namespace tokshuf {
namespace {

void addTokens(WordFreqState& s, const std::vector<int>& ranks, int rankA,
               int rankThe, int first, int last) {
  for (int i = first; i <= last; ++i) {
    const int w = ranks[i];
    if (s.countByRank[w]++ == 0) s.typesInOrder[++s.typeCount] = w;
    if (w == rankThe) ++s.fthe;
    if (w == rankA) ++s.fa;
  }
}

// Only the entries listed in frequencies are non-zero, so clearing them is
// enough.
void clearSpectrum(WordFreqState& s) {
  for (int i = 1; i <= s.frequencyCount; ++i) {
    s.VM[s.frequencies[i]] = 0;
    s.frequencies[i] = 0;
  }
  s.frequencyCount = 0;
  s.mMax = 0;
}

// Walks the types in order of first occurrence; that order fixes the order
// of frequencies, which decides the rounding of the sums taken over it.
void rebuildSpectrum(WordFreqState& s) {
  for (int t = 1; t <= s.typeCount; ++t) {
    const int m = s.countByRank[s.typesInOrder[t]];
    if (s.VM[m]++ == 0) s.frequencies[++s.frequencyCount] = m;
    if (m >= s.mMax) s.mMax = m;
  }
}

}  // namespace

void addChunkAndRebuild(WordFreqState& s, const std::vector<int>& ranks,
                        int rankA, int rankThe, int first, int last) {
  addTokens(s, ranks, rankA, rankThe, first, last);
  s.N = last;
  s.V = s.typeCount;
  clearSpectrum(s);
  rebuildSpectrum(s);
  s.readLowClasses();
}

void endRun(WordFreqState& s) {
  for (int t = 1; t <= s.typeCount; ++t) {
    s.countByRank[s.typesInOrder[t]] = 0;
    s.typesInOrder[t] = 0;
  }
  s.typeCount = 0;
}

}  // namespace tokshuf
