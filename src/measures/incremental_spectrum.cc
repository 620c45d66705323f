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
                                    const std::uint16_t* ORDER, int f_a,
                                    int f_the, int begin, int eind) {
  int* const WORDFREQ = s.WORDFREQ.data();
  int* const VM = s.VM.data();
  int distinct = distinct_;
  int mMax = s.mMax;
  for (int i = begin; i <= eind; ++i) {
    const int w = ORDER[i];
    const int m = WORDFREQ[w]++;
    if (m == 0) s.TYPENLIJST[++s.typenaantal] = w;
    distinct -= --VM[m] == 0;
    distinct += VM[m + 1]++ == 0;
    if (m + 1 > mMax) mMax = m + 1;
    s.freq_the += w == f_the;
    s.freq_a += w == f_a;
  }
  distinct_ = distinct;
  s.mMax = mMax;
}

void IncrementalSpectrum::listFrequencies(WordFreqState& s) {
  ++walk_;
  s.maantal = 0;
  if (distinct_ == 0) return;
  for (int t = 1; t <= s.typenaantal; ++t) {
    const int m = s.WORDFREQ[s.TYPENLIJST[t]];
    if (listedAt_[m] == walk_) continue;
    listedAt_[m] = walk_;
    s.MLIJST[++s.maantal] = m;
    if (s.maantal == distinct_) break;
  }
}

void IncrementalSpectrum::addChunk(WordFreqState& s,
                                   const std::uint16_t* ORDER, int f_a,
                                   int f_the, int begin, int eind) {
  addTokens(s, ORDER, f_a, f_the, begin, eind);
  s.curV = s.typenaantal;
  listFrequencies(s);
  s.curV1 = s.VM[1];
  s.curV2 = s.VM[2];
  s.curV3 = s.VM[3];
  s.curV4 = s.VM[4];
  s.curV5 = s.VM[5];
}

void IncrementalSpectrum::endRun(WordFreqState& s) {
  // The last walk listed every frequency present.
  for (int i = 1; i <= s.maantal; ++i) s.VM[s.MLIJST[i]] = 0;
  for (int t = 1; t <= s.typenaantal; ++t) s.WORDFREQ[s.TYPENLIJST[t]] = 0;
  s.typenaantal = 0;
  s.maantal = 0;
  distinct_ = 0;
}

}  // namespace tokshuf
