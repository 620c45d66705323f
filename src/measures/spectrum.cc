#include "measures/spectrum.h"

namespace tokshuf {
namespace {

void addTokens(WordFreqState& s, const std::vector<int>& TEXT, int f_a,
               int f_the, int begin, int eind) {
  for (int i = begin; i <= eind; ++i) {
    const int w = TEXT[i];
    if (s.WORDFREQ[w]++ == 0) s.TYPENLIJST[++s.typenaantal] = w;
    if (w == f_the) ++s.freq_the;
    if (w == f_a) ++s.freq_a;
  }
}

// Only the entries listed in MLIJST are non-zero, so clearing them is enough.
void clearSpectrum(WordFreqState& s) {
  for (int i = 1; i <= s.maantal; ++i) {
    s.VM[s.MLIJST[i]] = 0;
    s.MLIJST[i] = 0;
  }
  s.maantal = 0;
  s.mMax = 0;
}

// Walks the types in order of first occurrence; that order fixes the order
// of MLIJST, which decides the rounding of the sums taken over it.
void rebuildSpectrum(WordFreqState& s) {
  for (int t = 1; t <= s.typenaantal; ++t) {
    const int m = s.WORDFREQ[s.TYPENLIJST[t]];
    if (s.VM[m]++ == 0) s.MLIJST[++s.maantal] = m;
    if (m >= s.mMax) s.mMax = m;
  }
}

}  // namespace

void spectrum(WordFreqState& s, const std::vector<int>& TEXT, int f_a,
              int f_the, int begin, int eind) {
  addTokens(s, TEXT, f_a, f_the, begin, eind);
  s.curV = s.typenaantal;
  clearSpectrum(s);
  rebuildSpectrum(s);
  s.readLowClasses();
}

void endRun(WordFreqState& s) {
  for (int t = 1; t <= s.typenaantal; ++t) {
    s.WORDFREQ[s.TYPENLIJST[t]] = 0;
    s.TYPENLIJST[t] = 0;
  }
  s.typenaantal = 0;
}

}  // namespace tokshuf
