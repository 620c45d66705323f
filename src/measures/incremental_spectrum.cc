#include "measures/incremental_spectrum.h"

namespace tokshuf {
namespace {

// More than the number of types of any text, so VM[0] stays positive.
constexpr int kUnseenTypes = kMaxRank + 1;

}  // namespace

void IncrementalSpectrum::startRun(WordFreqState& s) {
  s.fa = 0;
  s.fthe = 0;
  s.typeCount = 0;
  s.mMax = 0;
  s.VM[0] = kUnseenTypes;
  distinct_ = 0;
}

void IncrementalSpectrum::addTokens(WordFreqState& s,
                                    const std::uint16_t* order, int first,
                                    int last) {
  int* const countByRank = s.countByRank.data();
  int* const VM = s.VM.data();
  int* const firstSeen = firstSeen_.data();
  int types = s.typeCount;
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
  s.typeCount = types;
  distinct_ = distinct;
}

void IncrementalSpectrum::listFrequencies(WordFreqState& s) {
  ++walk_;
  s.frequencyCount = 0;
  int mMax = 0;
  for (int t = 1; t <= s.typeCount; ++t) {
    const int m = s.countByRank[firstSeen_[t]];
    if (listedAt_[m] == walk_) continue;
    listedAt_[m] = walk_;
    s.frequencies[++s.frequencyCount] = m;
    if (m > mMax) mMax = m;
    if (s.frequencyCount == distinct_) break;
  }
  // Every distinct frequency is listed, the largest among them.
  s.mMax = mMax;
}

int IncrementalSpectrum::countOf(const WordFreqState& s, int rank) {
  // Ranks outside the table never occur in a text.
  return rank >= 0 && rank <= kMaxRank ? s.countByRank[rank] : 0;
}

void IncrementalSpectrum::addChunk(WordFreqState& s, const std::uint16_t* order,
                                   int rankA, int rankThe, int first,
                                   int last) {
  addTokens(s, order, first, last);
  s.fa = countOf(s, rankA);
  s.fthe = countOf(s, rankThe);
  s.V = s.typeCount;
  listFrequencies(s);
  s.readLowClasses();
}

void IncrementalSpectrum::endRun(WordFreqState& s) {
  // The last walk listed every frequency present.
  for (int i = 1; i <= s.frequencyCount; ++i) s.VM[s.frequencies[i]] = 0;
  for (int t = 1; t <= s.typeCount; ++t) s.countByRank[firstSeen_[t]] = 0;
  s.typeCount = 0;
  s.frequencyCount = 0;
  distinct_ = 0;
}

}  // namespace tokshuf
