#pragma once

#include <cstdint>
#include <vector>

#include "common/limits.h"
#include "common/word_freq_state.h"

namespace tokshuf {

// Brings a WordFreqState to the same values that addChunkAndRebuild() gives,
// with less work per chunk. The spectrum VM is kept up to date token by token,
// together with the number of distinct frequencies present, so no rebuild
// is needed; frequencies still comes from a walk over the types in order of
// first occurrence, because that order decides the rounding of the sums
// taken over it, but the walk stops as soon as every distinct frequency has
// been met: the types after that point cannot add an entry.
//
// VM[0], which addChunkAndRebuild() never uses, counts the types not yet seen,
// so that a first occurrence needs no special case; it never reaches 0. The
// token loop does only what the per-type counts need: mMax and the two
// tracked words' counts are read off at the chunk's end.
class IncrementalSpectrum {
 public:
  IncrementalSpectrum()
      : firstSeen_(kMaxRank + 2, 0), listedAt_(kMaxTokens + 1, 0) {}

  // Call before the first chunk of a run; the state must be in its
  // between-runs condition.
  void startRun(WordFreqState& s);

  // Adds order[first..last] (16-bit ranks) and brings VM, frequencies,
  // frequencyCount, mMax, V and V1 to V5 up to date.
  void addChunk(WordFreqState& s, const std::uint16_t* order, int rankA,
                int rankThe, int first, int last);

  // Returns the state to its between-runs condition, clearing the spectrum
  // as well.
  void endRun(WordFreqState& s);

 private:
  void addTokens(WordFreqState& s, const std::uint16_t* order, int first,
                 int last);
  void listFrequencies(WordFreqState& s);
  // Tokens of the given rank in the prefix.
  static int countOf(const WordFreqState& s, int rank);

  // The ranks seen, in order of first occurrence (the role of typesInOrder,
  // which this class leaves unused); one spare entry at the end.
  std::vector<int> firstSeen_;
  // listedAt_[m] == walk_ when frequency m is already in this walk's
  // frequencies.
  std::vector<std::uint32_t> listedAt_;
  std::uint32_t walk_ = 0;
  int distinct_ = 0;
};

}  // namespace tokshuf
