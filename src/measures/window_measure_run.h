#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "common/chunks.h"
#include "common/limits.h"
#include "measures/factor_sweep.h"
#include "measures/window_measures.h"

namespace tokshuf {

// The window measures a run computes.
class WindowSelection {
 public:
  constexpr WindowSelection() = default;
  constexpr WindowSelection(std::initializer_list<WindowMeasure> measures) {
    for (const WindowMeasure m : measures) bits_ |= bit(m);
  }
  static constexpr WindowSelection all() {
    return {WindowMeasure::kMattr, WindowMeasure::kMsttr, WindowMeasure::kMtld,
            WindowMeasure::kMtldMa};
  }
  constexpr bool contains(WindowMeasure m) const {
    return (bits_ & bit(m)) != 0;
  }
  constexpr bool none() const { return bits_ == 0; }
  constexpr WindowSelection with(WindowMeasure m) const {
    WindowSelection more = *this;
    more.bits_ |= bit(m);
    return more;
  }

 private:
  static constexpr unsigned bit(WindowMeasure m) { return 1u << int(m); }
  unsigned bits_ = 0;
};

// One value per window measure and chunk boundary j = 1..nchunks.
struct WindowValues {
  double& operator()(WindowMeasure m, int j) { return byMeasure[int(m)][j]; }
  double operator()(WindowMeasure m, int j) const {
    return byMeasure[int(m)][j];
  }
  std::array<std::array<double, kMaxChunks + 1>, kWindowMeasureCount>
      byMeasure{};
};

// The window measures of every prefix t[1..chunkEnds[j]] of one token
// order, with the same doubles as the *OfPrefix() functions, at a small
// multiple of the cost of reading the order once (MTLD-MA excepted).
//
// Everything forwards rests on the previous occurrence of each token: the
// token at i is new in the stretch that starts at s iff prev[i] < s.
// A TTR test "double(L - R) / double(L) < T" becomes "R >= need[L]" for
// the repeats R among L tokens, exactly, because a correctly rounded
// division never decreases when its numerator grows.
//
// One object per thread, measuring run after run: the arrays are sized
// once, and what a run leaves behind is either overwritten by the next one
// or outdated by a count that only grows.
class WindowMeasureRun {
 public:
  // For orders of up to maxTokens tokens whose type ids lie in
  // 1..typeLimit-1.
  WindowMeasureRun(int maxTokens, int typeLimit);

  // Stores out(m, j) for every chosen measure m and j = 1..nchunks;
  // chunkEnds[1..nchunks] must not decrease nor pass N. Id is int,
  // std::uint16_t or std::uint32_t.
  template <class Id>
  void measure(const Id* t, int N, const Chunks& chunkEnds, int nchunks,
               const WindowParameters& p, WindowSelection chosen,
               WindowValues& out);

 private:
  // The forward MTLD factors of a prefix: the complete ones, and where the
  // unfinished rest starts and how many of its tokens repeat.
  struct ForwardCut {
    int complete = 0;
    int restStart = 1;
    int restRepeats = 0;
  };
  // What remains of the backward MTLD of a prefix once the chain of
  // factors from one start reaches the text's first token.
  struct ChainEnd {
    int complete = 0;
    int restLength = 0;
    int restDistinct = 0;
  };

  int beginIndexing(int N);
  template <class Id>
  void indexForward(const Id* t, int N, const Chunks& chunkEnds, int nchunks,
                    bool cutFactors);
  template <class Id>
  void indexReversed(const Id* t, int N);

  void mattr(const Chunks& chunkEnds, int nchunks, int W, WindowValues& out);
  void msttr(const Chunks& chunkEnds, int nchunks, int S, WindowValues& out);
  template <class Id>
  void mtld(const Id* t, const Chunks& chunkEnds, int nchunks, double T,
            WindowValues& out);
  template <class Id>
  ChainEnd backwardChain(const Id* t, int n);
  std::uint16_t nextFactor();
  template <class Id>
  void mtldMa(const Id* t, int N, const Chunks& chunkEnds, int nchunks,
              WindowValues& out);

  // Per position of the current order: the previous occurrence of its
  // type (0 where there is none).
  std::vector<int> prev_;
  // Per type: base_ plus its last position so far while indexing. Raising
  // base_ past every stored value after each pass turns them all into "not
  // seen", so no entry needs clearing.
  std::vector<int> lastSeen_;
  int base_ = 0;

  RepeatNeeds needs_;
  std::array<ForwardCut, kMaxChunks + 1> forwardCuts_;

  // The backward MTLD chains, memoised per start for the current run; and
  // per type, the number of the last backward factor that holds it, from
  // a count that only grows until the table is cleared. Two bytes a type
  // keep the table in the processor's nearest cache.
  std::vector<ChainEnd> chainEnd_;
  std::vector<std::uint32_t> chainRun_;
  std::uint32_t run_ = 0;
  std::vector<int> path_;
  std::vector<std::uint16_t> factorOf_;
  std::uint16_t factor_ = 0;

  // MTLD-MA: the previous occurrences in the order read backwards, and
  // the factor length from each start.
  FactorSweep sweep_;
  std::vector<int> reversedPrev_;
  std::vector<int> factorLength_;
};

}  // namespace tokshuf
