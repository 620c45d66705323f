#pragma once

#include <cstdint>
#include <vector>

namespace tokshuf {

// For one threshold T and every factor length L, the fewest repeats R
// among L tokens (tokens whose type occurs earlier in the stretch) with
// double(L - R) / double(L) < T: the TTR test of both MTLD forms becomes
// "R >= need(L)", exactly, because a correctly rounded division never
// decreases when its numerator grows. need grows by 0 or 1 from one
// length to the next.
class RepeatNeeds {
 public:
  explicit RepeatNeeds(int maxLength);

  // Rebuilds the tables unless they are already those of T.
  void use(double T);

  // need(L) for L = 1..maxLength.
  const int* byLength() const { return need_.data(); }

 private:
  friend class FactorSweep;

  const int maxLength_;
  double threshold_ = -1.0;
  std::vector<int> need_;
  // For MTLD-MA, the need as a byte for the lengths 1..byteLengths_ whose
  // need is below 255; 255 below the minimum factor length, where no
  // factor ends. Stored from the longest length down, behind some padding,
  // so that the starts of one end position find their needs side by side,
  // in their order.
  int byteLengths_ = 0;
  std::vector<std::uint8_t> reversedBytes_;
};

// The MTLD-MA factor of every start of one reading of a token order: from
// start s, the first stretch of at least kMtldMaMinFactor tokens whose TTR
// is below T. The state is sized once and rewritten by every find().
class FactorSweep {
 public:
  explicit FactorSweep(int maxTokens);

  // The reading t[1..N] given by the previous occurrence of each token's
  // type (0 where there is none). Stores in lengths[s], s = 1..N, the
  // length of the factor from s, or 0.
  void find(int N, const int* prev, const RepeatNeeds& needs, int* lengths);

 private:
  void countRepeat(int oldest, int q, int p, std::uint8_t endMark,
                   const RepeatNeeds& needs);
  void writeEnds(int firstEnded, int batch, int last, int* lengths);
  int finishAlone(int s, int p, int N, const int* prev,
                  const RepeatNeeds& needs);

  // Per start s, behind some padding: whether it still waits for its
  // factor (or has just ended it), and its repeats in t[s..p] for the
  // current position p.
  std::vector<std::uint8_t> open_;
  std::vector<std::uint8_t> repeats_;
  // Per position i: the tokens in t[i..N] that repeat an earlier one;
  // counted on the first need in a find().
  std::vector<int> repeatsFrom_;
  bool repeatsCounted_ = false;
};

}  // namespace tokshuf
