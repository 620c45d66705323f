#include "measures/incremental_spectrum.h"

namespace tokshuf {
namespace {

// More than the number of types of any text, so VM[0] stays positive.
constexpr int kUnseenTypes = kMaxRank + 1;

}  // namespace

void IncrementalSpectrum::startRun(WordFreqState& s) {
  s.freq_a = 0;
  s.freq_the = 0;
  s.typenaantal = 0;
  s.mMax = 0;
  s.VM[0] = kUnseenTypes;
  distinct_ = 0;
}

void IncrementalSpectrum::addTokens(WordFreqState& s,
                                    const std::uint16_t* ORDER, int begin,
                                    int eind) {
  int* const WORDFREQ = s.WORDFREQ.data();
  int* const VM = s.VM.data();
  int* const firstSeen = firstSeen_.data();
  int types = s.typenaantal;
  int distinct = distinct_;
  for (int i = begin; i <= eind; ++i) {
    const int w = ORDER[i];
    const int m = WORDFREQ[w];
    WORDFREQ[w] = m + 1;
    // Written every time, kept only for a first occurrence: no branch.
    firstSeen[types + 1] = w;
    types += m == 0;
    distinct -= --VM[m] == 0;
    distinct += VM[m + 1]++ == 0;
  }
  s.typenaantal = types;
  distinct_ = distinct;
}

void IncrementalSpectrum::listFrequencies(WordFreqState& s) {
  ++walk_;
  s.maantal = 0;
  int mMax = 0;
  for (int t = 1; t <= s.typenaantal; ++t) {
    const int m = s.WORDFREQ[firstSeen_[t]];
    if (listedAt_[m] == walk_) continue;
    listedAt_[m] = walk_;
    s.MLIJST[++s.maantal] = m;
    if (m > mMax) mMax = m;
    if (s.maantal == distinct_) break;
  }
  // Every distinct frequency is listed, the largest among them.
  s.mMax = mMax;
}

int IncrementalSpectrum::countOf(const WordFreqState& s, int rank) {
  // Ranks outside the table never occur in a text.
  return rank >= 0 && rank <= kMaxRank ? s.WORDFREQ[rank] : 0;
}

void IncrementalSpectrum::addChunk(WordFreqState& s,
                                   const std::uint16_t* ORDER, int f_a,
                                   int f_the, int begin, int eind) {
  addTokens(s, ORDER, begin, eind);
  s.freq_a = countOf(s, f_a);
  s.freq_the = countOf(s, f_the);
  s.curV = s.typenaantal;
  listFrequencies(s);
  s.readLowClasses();
}

void IncrementalSpectrum::endRun(WordFreqState& s) {
  // The last walk listed every frequency present.
  for (int i = 1; i <= s.maantal; ++i) s.VM[s.MLIJST[i]] = 0;
  for (int t = 1; t <= s.typenaantal; ++t) s.WORDFREQ[firstSeen_[t]] = 0;
  s.typenaantal = 0;
  s.maantal = 0;
  distinct_ = 0;
}

}  // namespace tokshuf
