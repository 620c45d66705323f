#include "measures/hypergeometric_diversity.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tokshuf {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The fit of D searches ln D up to ln 1e9. Beyond, the model TTR of 50
// tokens lies within 3e-8 of 1 and no longer tells one D from another.
const double kMaxLnD = std::log(1e9);
// The search brackets widened by this much (in ln D) on either side, so
// that rounding cannot put the minimum just outside.
constexpr double kBracketMargin = 0.01;
// Grid step of the scan for local minima, in ln D: well below the width
// of the model's S-shaped curves in ln D (about 1), so no pair of minima
// hides between two grid points.
constexpr double kScanStep = 0.25;
// ln D is wanted to a relative accuracy of D near 1e-14, or as near as the
// rounding of dS/dD allows (about 1e-10 at D = 1e6).
constexpr double kTolerance = 1e-14;
constexpr int kMaxIterations = 100;
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr double kRoundingUlps = 8.0;

// HD-D at n draws: the sum over the frequency list, in list order, of
// V_m P_n(m), over n.
template <class Probability>
double hddOf(const FrequencySpectrum& s, int draws, Probability probability) {
  if (s.N < draws) return kNaN;
  double sum = 0.0;
  for (int i = 1; i <= s.frequencyCount; ++i) {
    const int m = s.frequencies[i];
    sum += double(s.VM[m]) * probability(m);
  }
  return sum / double(draws);
}

// E_n for n = 35..50 from one pass over the list, each summed as hddOf
// sums: E_n is HD-D at n draws bit for bit.
template <class WindowOf>
VocdTtrs expectedVocdTtrs(const FrequencySpectrum& s, WindowOf windowOf) {
  VocdTtrs sums{};
  for (int i = 1; i <= s.frequencyCount; ++i) {
    const int m = s.frequencies[i];
    const double types = s.VM[m];
    const double* p = windowOf(m);
    for (int k = 0; k < kVocdSizes; ++k) sums[k] += types * p[k];
  }
  for (int k = 0; k < kVocdSizes; ++k) sums[k] /= double(kVocdFirstDraws + k);
  return sums;
}

// S(ln D) = sum of (TTR(n; D) - E_n)^2, with half its first and second
// derivatives in ln D (G, H). The model is taken in the equal form
// 2 / (1 + r), r = sqrt(1 + 2n/D), which does not cancel at large D.
// gSize sums the sizes of G's terms: rounding leaves G uncertain by a few
// ulps of it.
struct FitPoint {
  double S = 0.0;
  double G = 0.0;
  double H = 0.0;
  double gSize = 0.0;
};

FitPoint fitPoint(const VocdTtrs& E, double lnD) {
  const double twoOverD = 2.0 * std::exp(-lnD);
  FitPoint p;
  for (int k = 0; k < kVocdSizes; ++k) {
    const double x = twoOverD * double(kVocdFirstDraws + k);
    const double r = std::sqrt(1.0 + x);
    // One division serves 1 / (1 + r) and 1 / r.
    const double u = 1.0 / (r * (1.0 + r));
    const double t = r * u;
    const double rInverse = (1.0 + r) * u;
    const double residual = 2.0 * t - E[k];
    // d TTR / d ln D = x / (r (1 + r)^2), and its derivative is that
    // times (x - 2r) / (2 r^2).
    const double slope = x * t * u;
    const double curvature = slope * (x - 2.0 * r) * (0.5 * rInverse * rInverse);
    p.S += residual * residual;
    p.G += residual * slope;
    p.H += slope * slope + residual * curvature;
    p.gSize += slope * (2.0 * t + E[k]);
  }
  return p;
}

struct Minimum {
  double lnD = kNaN;
  double S = kInf;
};

// The root of G between a (G < 0) and b (G >= 0), from lnD inside: Newton
// steps while they stay inside the bracket and the curvature is positive,
// bisection otherwise; every evaluation shrinks the bracket. Done when G
// is lost in its own rounding (the Newton step is then at the accuracy
// the data allow) or the step or the bracket is below kTolerance.
Minimum refine(const VocdTtrs& E, double a, double b, double lnD) {
  FitPoint p = fitPoint(E, lnD);
  for (int iteration = 1; iteration < kMaxIterations; ++iteration) {
    if (p.G < 0.0) {
      a = lnD;
    } else {
      b = lnD;
    }
    const double step = p.G / p.H;
    const bool lost = std::abs(p.G) <= kRoundingUlps * kEpsilon * p.gSize;
    if (p.H > 0.0 && (lost || std::abs(step) <= kTolerance)) break;
    if (b - a <= kTolerance) break;
    const double newton = lnD - step;
    lnD = p.H > 0.0 && newton > a && newton < b ? newton : 0.5 * (a + b);
    p = fitPoint(E, lnD);
  }
  return {lnD, p.S};
}

}  // namespace

// Least-squares D for E_35..E_50. Each E_n alone is matched by
// D_n = n E_n^2 / (2 (1 - E_n)); below the least D_n every model TTR lies
// under its E_n and S falls as D grows, above the largest it rises, so
// every minimum lies between them. A scan of that bracket on a grid in
// ln D finds where dS/dD turns from negative to non-negative; each such
// cell is refined, and the least S wins (ties to the smaller D). No turn
// at or below D = 1e9 means no D: NaN. Realistic spectra give a bracket
// narrower than one cell, where the signs at the ends are known without
// evaluating them: the refinement starts at its middle and takes about
// four evaluations of S in all. The same inputs take the same steps on
// every build, so the result is reproducible.
double fitVocdD(const VocdTtrs& E) {
  double least = kInf;
  double largest = 0.0;
  for (int k = 0; k < kVocdSizes; ++k) {
    const double n = kVocdFirstDraws + k;
    const double Dn = E[k] < 1.0 ? n * E[k] * E[k] / (2.0 * (1.0 - E[k])) : kInf;
    least = std::min(least, Dn);
    largest = std::max(largest, Dn);
  }
  const double lo = std::log(least) - kBracketMargin;
  const double hi = std::min(std::log(largest) + kBracketMargin, kMaxLnD);
  if (!(lo < hi)) return kNaN;
  const int cells = int(std::ceil((hi - lo) / kScanStep));
  if (cells == 1 && hi < kMaxLnD) return std::exp(refine(E, lo, hi, 0.5 * (lo + hi)).lnD);
  double a = lo;
  FitPoint atA = fitPoint(E, a);
  Minimum best;
  for (int cell = 1; cell <= cells; ++cell) {
    const double b = cell == cells ? hi : lo + (hi - lo) * cell / cells;
    const FitPoint atB = fitPoint(E, b);
    if (atA.G < 0.0 && atB.G >= 0.0) {
      const Minimum m = refine(E, a, b, a - atA.G * ((b - a) / (atB.G - atA.G)));
      if (m.S < best.S) best = m;
    }
    a = b;
    atA = atB;
  }
  return std::exp(best.lnD);
}

void drawProbabilities(int N, int m, int firstDraws, int lastDraws, double* p) {
  // From N - m + 1 draws on no token outside the type is left, so every
  // sample holds it: q = +0, P = 1 (the next factor would be <= 0).
  const int factors = std::min(lastDraws, N - m);
  double q = 1.0;
  for (int n = 1; n <= factors; ++n) {
    q *= double(N - m - (n - 1)) / double(N - (n - 1));
    if (n >= firstDraws) p[n - firstDraws] = 1.0 - q;
  }
  for (int n = std::max(factors + 1, firstDraws); n <= lastDraws; ++n) p[n - firstDraws] = 1.0;
}

double hdd(const FrequencySpectrum& s, int draws) {
  return hddOf(s, draws, [&](int m) {
    double p = kNaN;  // drawProbabilities writes it: draws >= 1
    drawProbabilities(s.N, m, draws, draws, &p);
    return p;
  });
}

double vocdModelTtr(double n, double D) { return D / n * (std::sqrt(1.0 + 2.0 * n / D) - 1.0); }

double vocdD(const FrequencySpectrum& s) {
  if (s.N < kVocdLastDraws) return kNaN;
  DrawProbabilityCache::Window p;
  return fitVocdD(expectedVocdTtrs(s, [&](int m) {
    drawProbabilities(s.N, m, kVocdFirstDraws, kVocdLastDraws, p.data());
    return p.data();
  }));
}

const DrawProbabilityCache::Window& DrawProbabilityCache::fill(int N, int m) {
  if (m > kMaxFrequency) {
    drawProbabilities(N, m, kVocdFirstDraws, kVocdLastDraws, computed_.data());
    return computed_;
  }
  Table& t = current_ >= 0 && tables_[current_].N == N ? tables_[current_] : table(N);
  drawProbabilities(N, m, kVocdFirstDraws, kVocdLastDraws, t.rows[m].data());
  t.known[m] = 1;
  return t.rows[m];
}

DrawProbabilityCache::Table& DrawProbabilityCache::table(int N) {
  for (int i = 0; i < int(tables_.size()); ++i) {
    if (tables_[i].N == N) return tables_[current_ = i];
  }
  if (int(tables_.size()) < kMaxLengths) {
    current_ = int(tables_.size());
    tables_.emplace_back();
  } else {
    current_ = oldest_;
    oldest_ = (oldest_ + 1) % kMaxLengths;
  }
  Table& t = tables_[current_];
  const int rows = std::min(N, kMaxFrequency) + 1;
  t.N = N;
  t.rows.assign(rows, Window{});
  t.known.assign(rows, 0);
  return t;
}

double hdd(const FrequencySpectrum& s, int draws, DrawProbabilityCache& cache) {
  if (draws < kVocdFirstDraws || draws > kVocdLastDraws) return hdd(s, draws);
  return hddOf(s, draws, [&](int m) { return cache.window(s.N, m)[draws - kVocdFirstDraws]; });
}

double vocdD(const FrequencySpectrum& s, DrawProbabilityCache& cache) {
  if (s.N < kVocdLastDraws) return kNaN;
  return fitVocdD(expectedVocdTtrs(s, [&](int m) { return cache.window(s.N, m).data(); }));
}

DrawDiversity drawDiversity(const FrequencySpectrum& s, DrawProbabilityCache& cache) {
  if (s.N < kHddDraws) return {kNaN, kNaN};
  // E_42 is HD-D: the same sum in the same order, divided by 42.
  const VocdTtrs E = expectedVocdTtrs(s, [&](int m) { return cache.window(s.N, m).data(); });
  return {E[kHddDraws - kVocdFirstDraws], s.N < kVocdLastDraws ? kNaN : fitVocdD(E)};
}

}  // namespace tokshuf
