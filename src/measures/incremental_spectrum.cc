#include "measures/incremental_spectrum.h"

namespace tokshuf {

void IncrementalSpectrum::startRun() {
  spectrum_.fa = 0;
  spectrum_.fthe = 0;
  spectrum_.mMax = 0;
  spectrum_.VM[0] = unseenTypes_;
  typeCount_ = 0;
  distinct_ = 0;
}

template <class T>
void IncrementalSpectrum::addTokens(const T* order, int first, int last) {
  int* const countByRank = countByRank_.data();
  int* const VM = spectrum_.VM.data();
  int* const firstSeen = firstSeen_.data();
  int types = typeCount_;
  int distinct = distinct_;
  for (int i = first; i <= last; ++i) {
    const int w = order[i];
    const int m = countByRank[w];
    countByRank[w] = m + 1;
    // Written every time, kept only for a first occurrence: no branch.
    firstSeen[types + 1] = w;
    types += m == 0;
    distinct -= --VM[m] == 0;
    distinct += VM[m + 1]++ == 0;
  }
  typeCount_ = types;
  distinct_ = distinct;
}

void IncrementalSpectrum::listFrequencies() {
  FrequencySpectrum& s = spectrum_;
  ++walk_;
  s.frequencyCount = 0;
  int mMax = 0;
  for (int t = 1; t <= typeCount_; ++t) {
    const int m = countByRank_[firstSeen_[t]];
    if (listedAt_[m] == walk_) continue;
    listedAt_[m] = walk_;
    s.frequencies[++s.frequencyCount] = m;
    if (m > mMax) mMax = m;
    if (s.frequencyCount == distinct_) break;
  }
  // Every distinct frequency is listed, the largest among them.
  s.mMax = mMax;
}

int IncrementalSpectrum::countOf(int rank) const {
  // Ranks outside the table never occur in a text.
  return rank >= 0 && std::size_t(rank) < countByRank_.size() ? countByRank_[rank] : 0;
}

template <class T>
void IncrementalSpectrum::addChunk(const T* order, int rankA, int rankThe, int first,
                                   int last) {
  addTokens(order, first, last);
  spectrum_.N = last;
  spectrum_.fa = countOf(rankA);
  spectrum_.fthe = countOf(rankThe);
  spectrum_.V = typeCount_;
  listFrequencies();
  spectrum_.readLowClasses();
}

template void IncrementalSpectrum::addChunk(const std::uint16_t*, int, int, int, int);
template void IncrementalSpectrum::addChunk(const std::uint32_t*, int, int, int, int);

void IncrementalSpectrum::endRun() {
  FrequencySpectrum& s = spectrum_;
  // The last walk listed every frequency present.
  for (int i = 1; i <= s.frequencyCount; ++i) s.VM[s.frequencies[i]] = 0;
  for (int t = 1; t <= typeCount_; ++t) countByRank_[firstSeen_[t]] = 0;
  typeCount_ = 0;
  s.frequencyCount = 0;
  distinct_ = 0;
}

}  // namespace tokshuf
