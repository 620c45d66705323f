#include "measures/window_measure_run.h"

#include <algorithm>
#include <limits>

namespace tokshuf {
namespace {

// The MTLD-MA factors counted at one boundary, or the ones it adds to
// the boundary before.
struct FactorTally {
  int factors = 0;
  std::int64_t lengthSum = 0;

  void add(const FactorTally& other) {
    factors += other.factors;
    lengthSum += other.lengthSum;
  }
  double meanLength() const { return meanFactorLength(lengthSum, factors); }
};

// The factors from the starts first..last; a length of 0 is no factor.
FactorTally tallyStarts(const int* length, int first, int last) {
  FactorTally tally;
  for (int s = first; s <= last; ++s) {
    tally.factors += length[s] > 0;
    tally.lengthSum += length[s];
  }
  return tally;
}

// The sum of min(W, i - prev[i]) over i = first..last: in runs short
// enough for an int sum, which the compiler adds several lanes at a time.
std::int64_t windowShares(const int* prev, int first, int last, int W) {
  const int run = std::numeric_limits<int>::max() / W;
  std::int64_t sum = 0;
  for (int i = first; i <= last;) {
    const int end = last - i < run ? last : i + run - 1;
    int part = 0;
    for (; i <= end; ++i) part += std::min(W, i - prev[i]);
    sum += part;
  }
  return sum;
}

// forward[j]: the factors from lengths[1..N] that end by chunkEnds[j].
// Those from the starts up to n - longest + 1 end by n whatever their
// length, and their tally carries over; only the starts after them have
// their ends compared with each boundary.
void tallyForward(const int* length, int N, const Chunks& chunkEnds,
                  int nchunks,
                  std::array<FactorTally, kMaxChunks + 1>& forward) {
  const int longest = N > 0 ? *std::max_element(length + 1, length + N + 1) : 0;
  FactorTally ended;  // from the starts 1..counted
  int counted = 0;
  for (int j = 1; j <= nchunks; ++j) {
    const int n = chunkEnds[j];
    const int sure = std::min(n, n - longest + 1);
    if (sure > counted) {
      ended.add(tallyStarts(length, counted + 1, sure));
      counted = sure;
    }
    forward[j] = ended;
    for (int s = counted + 1; s <= n; ++s) {
      const bool ends = length[s] > 0 && s + length[s] - 1 <= n;
      forward[j].factors += ends;
      forward[j].lengthSum += ends ? length[s] : 0;
    }
  }
}

}  // namespace

WindowMeasureRun::WindowMeasureRun(int maxTokens, int typeLimit)
    : prev_(maxTokens + 2, 0),
      lastSeen_(typeLimit, 0),
      needs_(maxTokens),
      chainEnd_(maxTokens + 1),
      chainRun_(maxTokens + 1, 0),
      factorOf_(typeLimit, 0),
      sweep_(maxTokens),
      reversedPrev_(maxTokens + 2, 0),
      factorLength_(maxTokens + 2, 0) {
  path_.reserve(maxTokens);
}

template <class Id>
void WindowMeasureRun::measure(const Id* t, int N, const Chunks& chunkEnds,
                               int nchunks, const WindowParameters& p,
                               WindowSelection chosen, WindowValues& out) {
  const bool mtldChosen = chosen.contains(WindowMeasure::kMtld);
  if (mtldChosen || chosen.contains(WindowMeasure::kMtldMa)) {
    needs_.use(p.mtldThreshold);
  }
  indexForward(t, N, chunkEnds, nchunks, mtldChosen);
  if (chosen.contains(WindowMeasure::kMattr)) {
    mattr(chunkEnds, nchunks, p.window, out);
  }
  if (chosen.contains(WindowMeasure::kMsttr)) {
    msttr(chunkEnds, nchunks, p.segment, out);
  }
  if (mtldChosen) mtld(t, chunkEnds, nchunks, p.mtldThreshold, out);
  if (chosen.contains(WindowMeasure::kMtldMa)) {
    mtldMa(t, N, chunkEnds, nchunks, out);
  }
}

// Checks that base_ + N still fits an int, clearing the table otherwise,
// and returns the base of the next indexing pass over N tokens.
int WindowMeasureRun::beginIndexing(int N) {
  if (base_ > std::numeric_limits<int>::max() - N) {
    std::fill(lastSeen_.begin(), lastSeen_.end(), 0);
    base_ = 0;
  }
  const int base = base_;
  base_ += N;
  return base;
}

// The previous occurrences in the order, and, if cutFactors, the forward
// MTLD factors of every boundary's prefix: they are those of the whole
// order cut at the prefix's end, so the same pass reads them all, at
// hardly any cost beside the table of last positions.
template <class Id>
void WindowMeasureRun::indexForward(const Id* t, int N, const Chunks& chunkEnds,
                                    int nchunks, bool cutFactors) {
  const int base = beginIndexing(N);
  int* const prev = prev_.data();
  int* const lastSeen = lastSeen_.data();
  const int* const need = needs_.byLength();
  ForwardCut cut;
  int i = 0;
  // One round more for the tokens past the last boundary, which MTLD-MA
  // reads.
  for (int j = 1; j <= nchunks + 1; ++j) {
    for (const int n = j <= nchunks ? chunkEnds[j] : N; i < n;) {
      ++i;
      const int type = int(t[i]);
      const int p = std::max(lastSeen[type] - base, 0);
      prev[i] = p;
      lastSeen[type] = base + i;
      if (!cutFactors) continue;
      cut.restRepeats += p >= cut.restStart;
      if (cut.restRepeats >= need[i - cut.restStart + 1]) {
        ++cut.complete;
        cut.restStart = i + 1;
        cut.restRepeats = 0;
      }
    }
    if (j <= nchunks) forwardCuts_[j] = cut;
  }
}

// The previous occurrences in the order read from its last token: the k-th
// token read is t[N + 1 - k].
template <class Id>
void WindowMeasureRun::indexReversed(const Id* t, int N) {
  const int base = beginIndexing(N);
  int* const prev = reversedPrev_.data();
  int* const lastSeen = lastSeen_.data();
  for (int k = 1; k <= N; ++k) {
    const int type = int(t[N + 1 - k]);
    prev[k] = std::max(lastSeen[type] - base, 0);
    lastSeen[type] = base + k;
  }
}

// A token counts once in each window where its type occurs first: the
// windows starting from max(i - W + 1, prev[i] + 1) to i. For a prefix of
// n tokens the window starts end at m = n - W + 1, so the tokens up to m
// count min(W, i - prev[i]) each, a sum that carries over from one
// boundary to the next, and only the last W - 1 tokens are cut short.
void WindowMeasureRun::mattr(const Chunks& chunkEnds, int nchunks, int W,
                             WindowValues& out) {
  const int* const prev = prev_.data();
  std::int64_t whole = 0;  // the sum over tokens 1..counted
  int counted = 0;
  for (int j = 1; j <= nchunks; ++j) {
    const int n = chunkEnds[j];
    if (n < W) {
      out(WindowMeasure::kMattr, j) = kUndefined;
      continue;
    }
    const int m = n - W + 1;
    whole += windowShares(prev, counted + 1, m, W);
    counted = std::max(counted, m);
    std::int64_t cut = 0;
    for (int i = m + 1; i <= n; ++i) {
      cut += std::max(0, m + 1 - std::max(i - W + 1, prev[i] + 1));
    }
    out(WindowMeasure::kMattr, j) = meanStretchTtr(whole + cut, W, m);
  }
}

void WindowMeasureRun::msttr(const Chunks& chunkEnds, int nchunks, int S,
                             WindowValues& out) {
  const int* const prev = prev_.data();
  int complete = 0;
  std::int64_t distinctSum = 0;
  for (int j = 1; j <= nchunks; ++j) {
    for (; complete < chunkEnds[j] / S; ++complete) {
      const int first = complete * S + 1;
      for (int i = first; i < first + S; ++i) distinctSum += prev[i] < first;
    }
    out(WindowMeasure::kMsttr, j) = meanStretchTtr(distinctSum, S, complete);
  }
}

// The forward factors come from indexForward(); the backward ones start
// afresh at every end, and come from the memoised chains.
template <class Id>
void WindowMeasureRun::mtld(const Id* t, const Chunks& chunkEnds, int nchunks,
                            double T, WindowValues& out) {
  if (++run_ == 0) {
    std::fill(chainRun_.begin(), chainRun_.end(), 0);
    run_ = 1;
  }
  for (int j = 1; j <= nchunks; ++j) {
    const int n = chunkEnds[j];
    const ForwardCut& f = forwardCuts_[j];
    const int length = n - f.restStart + 1;
    const double forward =
        mtldFactors(f.complete, length, length - f.restRepeats, T);
    const ChainEnd b = backwardChain(t, n);
    const double backward =
        mtldFactors(b.complete, b.restLength, b.restDistinct, T);
    out(WindowMeasure::kMtld, j) = mtldOfFactors(n, forward, backward);
  }
}

// Follows the backward factors from start n down to the first token, until
// a start whose end an earlier chain of this run already knows: chains from
// different ends soon land on a common start, and from there on they agree.
template <class Id>
WindowMeasureRun::ChainEnd WindowMeasureRun::backwardChain(const Id* t, int n) {
  const int* const need = needs_.byLength();
  std::uint16_t* const factorOf = factorOf_.data();
  path_.clear();
  ChainEnd end;
  for (int s = n; s > 0;) {
    if (chainRun_[s] == run_) {
      end = chainEnd_[s];
      break;
    }
    const std::uint16_t factor = nextFactor();
    int R = 0;
    int i = s;
    for (; i >= 1; --i) {
      const int type = int(t[i]);
      R += factorOf[type] == factor;
      factorOf[type] = factor;
      if (R >= need[s - i + 1]) break;
    }
    if (i == 0) {
      end = {0, s, s - R};
      chainEnd_[s] = end;
      chainRun_[s] = run_;
      break;
    }
    path_.push_back(s);
    s = i - 1;
  }
  for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
    ++end.complete;
    chainEnd_[*it] = end;
    chainRun_[*it] = run_;
  }
  return end;
}

// A number no type carries yet, for the next backward factor.
std::uint16_t WindowMeasureRun::nextFactor() {
  if (factor_ == std::numeric_limits<std::uint16_t>::max()) {
    std::fill(factorOf_.begin(), factorOf_.end(), 0);
    factor_ = 0;
  }
  return ++factor_;
}

// A forward factor counts from the boundary that reaches its end, a
// backward one from the boundary that reaches its start. The backward
// factors are the forward ones of the order read from the end, where
// position k is position N + 1 - k of the order.
template <class Id>
void WindowMeasureRun::mtldMa(const Id* t, int N, const Chunks& chunkEnds,
                              int nchunks, WindowValues& out) {
  int* const length = factorLength_.data();
  sweep_.find(N, prev_.data(), needs_, length);
  std::array<FactorTally, kMaxChunks + 1> forward;
  tallyForward(length, N, chunkEnds, nchunks, forward);

  indexReversed(t, N);
  sweep_.find(N, reversedPrev_.data(), needs_, length);
  FactorTally backward;
  for (int j = 1; j <= nchunks; ++j) {
    backward.add(
        tallyStarts(length, N + 1 - chunkEnds[j], N - chunkEnds[j - 1]));
    out(WindowMeasure::kMtldMa, j) =
        (forward[j].meanLength() + backward.meanLength()) / 2;
  }
}

template void WindowMeasureRun::measure(const int*, int, const Chunks&, int,
                                        const WindowParameters&,
                                        WindowSelection, WindowValues&);
template void WindowMeasureRun::measure(const std::uint16_t*, int,
                                        const Chunks&, int,
                                        const WindowParameters&,
                                        WindowSelection, WindowValues&);
template void WindowMeasureRun::measure(const std::uint32_t*, int,
                                        const Chunks&, int,
                                        const WindowParameters&,
                                        WindowSelection, WindowValues&);

}  // namespace tokshuf
