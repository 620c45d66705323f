#pragma once

#include <array>
#include <vector>

#include "common/limits.h"
#include "measures/word_freq_state.h"

namespace tokshuf {

// Diversity measures built on the chance that a type of frequency m turns
// up among n tokens drawn without replacement from the N of the prefix:
// P_n(m) = 1 - C(N - m, n) / C(N, n). Both depend on the spectrum alone.

// vocd fits its model to samples of 35, 36, ..., 50 tokens.
inline constexpr int kVocdFirstDraws = 35;
inline constexpr int kVocdLastDraws = 50;
inline constexpr int kVocdSizes = kVocdLastDraws - kVocdFirstDraws + 1;
// The sample size HD-D is usually quoted at.
inline constexpr int kHddDraws = 42;

// Writes P_n(m) for n = firstDraws..lastDraws to p[0..lastDraws - firstDraws]
// (1 <= m <= N, 1 <= firstDraws <= lastDraws). C(N - m, n) / C(N, n) is
// taken as the product of (N - m - i) / (N - i) over i = 0, 1, ..., n - 1 in
// that order, one pass for the whole range: each P_n is bit for bit what a
// pass of n factors alone would give.
void drawProbabilities(int N, int m, int firstDraws, int lastDraws, double* p);

// HD-D on the scale of a TTR: the expected number of types among `draws`
// tokens (at least 1) divided by `draws`. NaN when N < draws.
double hdd(const FrequencySpectrum& s, int draws = kHddDraws);

// vocd's model of the TTR of n tokens: (D / n) (sqrt(1 + 2n / D) - 1).
double vocdModelTtr(double n, double D);

// The TTRs E_35..E_50 that vocd's D is fitted to.
using VocdTtrs = std::array<double, kVocdSizes>;

// The D > 0 that minimises the sum over n = 35..50 of
// (vocdModelTtr(n, D) - E_n)^2; NaN when no minimum lies at or below 1e9.
double fitVocdD(const VocdTtrs& E);

// vocd's D fitted by least squares, over n = 35..50, to the exact expected
// TTR of n tokens drawn without replacement (no random samples). NaN when
// N < 50 or when the fit finds no D at or below 1e9 (for instance when
// every type occurs once).
double vocdD(const FrequencySpectrum& s);

// Memoises P_35..P_50 by (N, m) for one thread. Every permutation run of a
// text meets the same chunk boundaries, and the low frequencies recur at
// each of them, so after the first runs most look-ups find their row.
// Memory: at most kMaxLengths tables of kMaxFrequency + 1 rows of 129
// bytes, 2.6 MB; the oldest table makes room for a new N.
class DrawProbabilityCache {
 public:
  using Window = std::array<double, kVocdSizes>;
  // Distinct N held at once: every chunk boundary of a text.
  static constexpr int kMaxLengths = kMaxChunks;
  // Larger frequencies are computed at every call: there are few of them
  // at a boundary, and they change from run to run.
  static constexpr int kMaxFrequency = 512;

  // P_35..P_50 of a type of frequency m (1 <= m <= N) in N tokens, as
  // drawProbabilities gives them. Valid until the next call. Inline, so
  // that a hit costs the callers' sums no trip through memory.
  const Window& window(int N, int m) {
    if (m <= kMaxFrequency && current_ >= 0) {
      const Table& t = tables_[current_];
      if (t.N == N && t.known[m]) return t.rows[m];
    }
    return fill(N, m);
  }

 private:
  struct Table {
    int N = 0;
    std::vector<Window> rows;
    std::vector<unsigned char> known;
  };
  const Window& fill(int N, int m);
  Table& table(int N);

  std::vector<Table> tables_;
  int current_ = -1;
  int oldest_ = 0;
  Window computed_{};
};

// The same values as hdd(s, draws) and vocdD(s), bit for bit, with the
// probabilities taken from the cache. Draws outside 35..50 bypass it.
double hdd(const FrequencySpectrum& s, int draws, DrawProbabilityCache& cache);
double vocdD(const FrequencySpectrum& s, DrawProbabilityCache& cache);

// hdd(s) and vocdD(s), bit for bit, from one look-up per frequency: the
// form for an engine that prints both.
struct DrawDiversity {
  double hdd = 0.0;
  double vocdD = 0.0;
};
DrawDiversity drawDiversity(const FrequencySpectrum& s, DrawProbabilityCache& cache);

}  // namespace tokshuf
