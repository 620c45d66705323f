#include "measures/window_measure_run.h"

#include <bit>
#include <cmath>

namespace tokshuf {
namespace {

// Room behind the last token for the eight-byte reads of the MTLD-MA scan.
constexpr int kPadding = 16;
// A repeat count the byte scan can never reach: lengths below the minimum
// factor carry it.
constexpr int kUnreachable = 127;

// The fewest repeats R among L tokens with double(L - R) / double(L) < T.
int fewestRepeats(int L, double T) {
  int R = std::clamp(L - int(std::ceil(T * L)) + 1, 1, L);
  while (R > 1 && double(L - (R - 1)) / double(L) < T) --R;
  while (double(L - R) / double(L) >= T) ++R;
  return R;
}

// Per factor length: the fewest repeats that end an MTLD-MA factor, as
// ints and, for lengths 1..byteLengths, as bytes.
struct FactorNeeds {
  const int* need;
  const std::uint8_t* bytes;
  int byteLengths;
};

// Bytes p[0..7] with p[k] in bits 8k..8k+7, whatever the byte order.
std::uint64_t loadBytes(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (int k = 0; k < 8; ++k) v |= std::uint64_t(p[k]) << (8 * k);
  return v;
}

constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighs = 0x8080808080808080;

// The length of the MTLD-MA factor from start s, 0 if there is none before
// N. repeats[i] tells whether t[i] occurs in t[s..i-1].
//
// Eight lengths at a time: multiplying eight 0/1 bytes by kOnes leaves in
// byte k the repeats among the first k + 1 of them, and adding the repeats
// so far gives R for each length. Every R and need stays below 128 until
// the first length with R >= need, where R == need (both grow by at most
// one a token), so setting the high bit of each R and subtracting the need
// tests all eight at once without a borrow between the bytes.
int factorLengthFrom(const std::uint8_t* repeats, int s, int N,
                     const FactorNeeds& needs) {
  const int span = N - s + 1;
  int R = 0;
  int o = 0;
  for (; o < span && o + 8 <= needs.byteLengths; o += 8) {
    const std::uint64_t running = loadBytes(repeats + s + o) * kOnes;
    const std::uint64_t counts = running + std::uint64_t(R) * kOnes;
    const std::uint64_t hits =
        ((counts | kHighs) - loadBytes(needs.bytes + o + 1)) & kHighs;
    if (hits != 0) {
      // The bytes past N hold no repeats, so no hit falls there.
      return o + 1 + std::countr_zero(hits) / 8;
    }
    R += int(running >> 56);
  }
  for (; o < span; ++o) {
    R += repeats[s + o];
    if (o + 1 >= kMtldMaMinFactor && R >= needs.need[o + 1]) return o + 1;
  }
  return 0;
}

// The MTLD-MA factor of every start that leaves room for one, start by
// start. On entry repeats[i] tells whether t[i] repeats an earlier token;
// moving the start past s turns the next occurrence of t[s] into a first
// one.
template <class OnFactor>
void sweepStarts(std::uint8_t* repeats, const int* next, int N,
                 const FactorNeeds& needs, OnFactor onFactor) {
  for (int s = 1; s <= N - kMtldMaMinFactor + 1; ++s) {
    const int length = factorLengthFrom(repeats, s, N, needs);
    if (length > 0) onFactor(s, length);
    repeats[next[s]] = 0;
  }
}

struct FactorTally {
  int factors = 0;
  std::int64_t lengthSum = 0;

  void add(int length) {
    ++factors;
    lengthSum += length;
  }
  void add(const FactorTally& other) {
    factors += other.factors;
    lengthSum += other.lengthSum;
  }
};

}  // namespace

WindowMeasureRun::WindowMeasureRun(int maxTokens, int typeLimit)
    : maxTokens_(maxTokens),
      prev_(maxTokens + 2, 0),
      next_(maxTokens + 2, 0),
      lastSeen_(typeLimit, 0),
      need_(maxTokens + 2, 0),
      needBytes_(maxTokens + 2 + kPadding, kUnreachable),
      chainEnd_(maxTokens + 1),
      chainRun_(maxTokens + 1, 0),
      repeats_(maxTokens + 2 + kPadding, 0),
      reversedNext_(maxTokens + 2, 0),
      chunkOf_(maxTokens + 2, 0) {
  path_.reserve(maxTokens);
}

void WindowMeasureRun::useThreshold(double T) {
  if (T == threshold_) return;
  threshold_ = T;
  for (int L = 1; L <= maxTokens_ + 1; ++L) need_[L] = fewestRepeats(L, T);
  // need grows by at most one per token, so the lengths whose need fits
  // a byte's lower seven bits come first.
  byteLengths_ = 0;
  for (int L = 1; L <= maxTokens_ + 1; ++L) {
    if (L < kMtldMaMinFactor) {
      needBytes_[L] = kUnreachable;
    } else if (need_[L] <= kUnreachable) {
      needBytes_[L] = std::uint8_t(need_[L]);
    } else {
      break;
    }
    byteLengths_ = L;
  }
}

void WindowMeasureRun::measureIndexed(int N, const Chunks& chunkEnds,
                                      int nchunks, const WindowParameters& p,
                                      WindowSelection chosen,
                                      WindowValues& out) {
  if (chosen.contains(WindowMeasure::kMattr)) {
    mattr(chunkEnds, nchunks, p.window, out);
  }
  if (chosen.contains(WindowMeasure::kMsttr)) {
    msttr(chunkEnds, nchunks, p.segment, out);
  }
  if (chosen.contains(WindowMeasure::kMtld)) {
    useThreshold(p.mtldThreshold);
    mtld(chunkEnds, nchunks, p.mtldThreshold, out);
  }
  if (chosen.contains(WindowMeasure::kMtldMa)) {
    useThreshold(p.mtldThreshold);
    mtldMa(N, chunkEnds, nchunks, out);
  }
}

// The windows ending at e = W..n, one after another: the token at e enters
// as a new type unless it occurs since e - W + 1, and the token at e - W
// takes its type out unless it occurs again before e.
void WindowMeasureRun::mattr(const Chunks& chunkEnds, int nchunks, int W,
                             WindowValues& out) {
  const int* const prev = prev_.data();
  const int* const next = next_.data();
  int distinct = 0;
  std::int64_t distinctSum = 0;
  int end = 0;  // the windows ending at W..end are in distinctSum
  for (int j = 1; j <= nchunks; ++j) {
    const int n = chunkEnds[j];
    if (n < W) {
      out(WindowMeasure::kMattr, j) = kUndefined;
      continue;
    }
    if (end < W) {
      for (int i = 1; i <= W; ++i) distinct += prev[i] == 0;
      distinctSum = distinct;
      end = W;
    }
    for (int e = end + 1; e <= n; ++e) {
      distinct += int(prev[e] <= e - W) - int(next[e - W] >= e);
      distinctSum += distinct;
    }
    end = n;
    out(WindowMeasure::kMattr, j) = meanStretchTtr(distinctSum, W, n - W + 1);
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

// The forward factors of a prefix are those of the whole order cut at its
// end, so one pass reads them all; the backward ones start afresh at every
// end, and come from the memoised chains.
void WindowMeasureRun::mtld(const Chunks& chunkEnds, int nchunks, double T,
                            WindowValues& out) {
  if (++run_ == 0) {
    std::fill(chainRun_.begin(), chainRun_.end(), 0);
    run_ = 1;
  }
  const int* const prev = prev_.data();
  const int* const need = need_.data();
  int complete = 0;
  int start = 1;
  int R = 0;
  int i = 0;
  for (int j = 1; j <= nchunks; ++j) {
    const int n = chunkEnds[j];
    for (; i < n;) {
      ++i;
      R += prev[i] >= start;
      if (R >= need[i - start + 1]) {
        ++complete;
        start = i + 1;
        R = 0;
      }
    }
    const int length = n - start + 1;
    const double forward = mtldFactors(complete, length, length - R, T);
    const ChainEnd b = backwardChain(n);
    const double backward =
        mtldFactors(b.complete, b.restLength, b.restDistinct, T);
    out(WindowMeasure::kMtld, j) = mtldOfFactors(n, forward, backward);
  }
}

// Follows the backward factors from start n down to the first token, until
// a start whose end an earlier chain of this run already knows: chains from
// different ends soon land on a common start, and from there on they agree.
WindowMeasureRun::ChainEnd WindowMeasureRun::backwardChain(int n) {
  const int* const next = next_.data();
  const int* const need = need_.data();
  path_.clear();
  ChainEnd end;
  for (int s = n; s > 0;) {
    if (chainRun_[s] == run_) {
      end = chainEnd_[s];
      break;
    }
    int R = 0;
    int i = s;
    for (; i >= 1; --i) {
      R += next[i] <= s;
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

void WindowMeasureRun::markChunks(int N, const Chunks& chunkEnds, int nchunks) {
  int position = 1;
  for (int j = 1; j <= nchunks; ++j) {
    for (; position <= chunkEnds[j]; ++position)
      chunkOf_[position] = std::uint8_t(j);
  }
  for (; position <= N; ++position)
    chunkOf_[position] = std::uint8_t(nchunks + 1);
}

// A forward factor counts from the boundary that reaches its end, a
// backward one from the boundary that reaches its start. The backward
// sweep runs forwards over the order read from the end, where position k
// is position N + 1 - k of the order.
void WindowMeasureRun::mtldMa(int N, const Chunks& chunkEnds, int nchunks,
                              WindowValues& out) {
  markChunks(N, chunkEnds, nchunks);
  const FactorNeeds needs{need_.data(), needBytes_.data(), byteLengths_};
  const int* const prev = prev_.data();
  const int* const next = next_.data();
  std::uint8_t* const repeats = repeats_.data();
  std::fill(repeats + N + 1, repeats + N + 1 + kPadding, 0);
  std::array<FactorTally, kMaxChunks + 2> forward{}, backward{};

  for (int i = 1; i <= N; ++i) repeats[i] = prev[i] > 0;
  sweepStarts(repeats, next, N, needs, [&](int s, int length) {
    forward[chunkOf_[s + length - 1]].add(length);
  });

  int* const reversedNext = reversedNext_.data();
  for (int k = 1; k <= N; ++k) {
    repeats[k] = next[N + 1 - k] <= N;
    reversedNext[k] = N + 1 - prev[N + 1 - k];
  }
  sweepStarts(repeats, reversedNext, N, needs, [&](int k, int length) {
    backward[chunkOf_[N + 1 - k]].add(length);
  });

  FactorTally f, b;
  for (int j = 1; j <= nchunks; ++j) {
    f.add(forward[j]);
    b.add(backward[j]);
    const double forwardMean = meanFactorLength(f.lengthSum, f.factors);
    const double backwardMean = meanFactorLength(b.lengthSum, b.factors);
    out(WindowMeasure::kMtldMa, j) = (forwardMean + backwardMean) / 2;
  }
}

}  // namespace tokshuf
