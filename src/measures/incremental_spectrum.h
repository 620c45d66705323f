#pragma once

#include <cstdint>
#include <vector>

#include "common/limits.h"
#include "measures/word_freq_state.h"

namespace tokshuf {

// Brings a FrequencySpectrum to the same values that addChunkAndRebuild()
// gives, with less work per chunk. The spectrum VM is kept up to date token
// by token, together with the number of distinct frequencies present, so
// no rebuild is needed; the list of frequencies still comes from a walk
// over the types in order of first occurrence, because that order decides
// the rounding of the sums taken over it, but the walk stops as soon as
// every distinct frequency has been met: the types after that point cannot
// add an entry.
//
// VM[0] of its own spectrum, which no measure reads, counts the types not
// yet seen, so that a first occurrence needs no special case; it never
// reaches 0. The token loop does only what the per-type counts need: mMax
// and the two tracked words' counts are read off at the chunk's end.
class IncrementalSpectrum {
 public:
  explicit IncrementalSpectrum(const TextShape& shape = TextShape())
      : spectrum_(shape),
        countByRank_(std::size_t(shape.typeLimit), 0),
        firstSeen_(std::size_t(shape.typeLimit) + 1, 0),
        listedAt_(std::size_t(shape.maxTypeCount) + 1, 0),
        unseenTypes_(shape.typeLimit) {}

  // Call before the first chunk of a run; the object must be in its
  // between-runs condition (new, or after endRun()).
  void startRun();

  // Adds order[first..last] (type ids) and brings the spectrum of the
  // prefix order[1..last] up to date.
  template <class T>
  void addChunk(const T* order, int rankA, int rankThe, int first, int last);

  // The spectrum after the last addChunk().
  const FrequencySpectrum& spectrum() const { return spectrum_; }

  // Returns to the between-runs condition, clearing the spectrum as well.
  void endRun();

 private:
  template <class T>
  void addTokens(const T* order, int first, int last);
  void listFrequencies();
  // Tokens of the given rank in the prefix.
  int countOf(int rank) const;

  FrequencySpectrum spectrum_;
  std::vector<int> countByRank_;
  // The ranks seen, in order of first occurrence; one spare entry at the
  // end.
  std::vector<int> firstSeen_;
  int typeCount_ = 0;
  // listedAt_[m] == walk_ when frequency m is already in this walk's list.
  std::vector<std::uint32_t> listedAt_;
  std::uint32_t walk_ = 0;
  int distinct_ = 0;
  // More than the number of types of the text, so VM[0] stays positive.
  int unseenTypes_;
};

}  // namespace tokshuf
