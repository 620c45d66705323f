#include "measures/lognormal.h"

#include <array>
#include <cmath>
#include <vector>

namespace tokshuf {
namespace {

// The most distinct frequencies a text of the longest length can have:
// frequencies 1, 2, ..., k need k (k + 1) / 2 tokens.
constexpr int maxDistinctFrequencies(int tokens) {
  int k = 0;
  while ((k + 1) * (k + 2) / 2 <= tokens) ++k;
  return k;
}
constexpr int kMaxDistinctFrequencies = maxDistinctFrequencies(kMaxTokens);

}  // namespace

double logFrequencyMean(const FrequencySpectrum& s) {
  double sum = 0.0;
  for (int i = 1; i <= s.frequencyCount; ++i) {
    const int m = s.frequencies[i];
    sum += double(s.VM[m]) * std::log(double(m));
  }
  return sum / double(s.V);
}

double logFrequencyStdDev(const FrequencySpectrum& s, double mean) {
  double sum = 0.0;
  for (int i = 1; i <= s.frequencyCount; ++i) {
    const int m = s.frequencies[i];
    const double lm = std::log(double(m));
    sum += double(s.VM[m]) * (lm * lm);
  }
  const double v = s.V;
  return std::sqrt((sum - v * (mean * mean)) / (v - 1.0));
}

LognormalFit lognormalFit(const FrequencySpectrum& s) {
  // Texts within the classic limits keep their log shares on the stack;
  // longer ones may have more frequency classes.
  std::array<double, kMaxDistinctFrequencies + 1> stackShares;
  std::vector<double> heapShares;
  const int n = s.frequencyCount;
  double* logShares = stackShares.data();
  if (n > kMaxDistinctFrequencies) {
    heapShares.resize(std::size_t(n) + 1);
    logShares = heapShares.data();
  }
  LognormalFit fit;
  for (int i = 1; i <= n; ++i) {
    const int m = s.frequencies[i];
    const int tokens = m * s.VM[m];  // at most N, so no overflow
    logShares[i] = std::log(double(tokens) / double(s.N));
    fit.mean += logShares[i];
  }
  fit.mean = fit.mean / double(n);
  for (int i = 1; i <= n; ++i) {
    const double d = logShares[i] - fit.mean;
    fit.stdDev += d * d;
  }
  fit.stdDev = std::sqrt(fit.stdDev / double(n - 1));
  return fit;
}

}  // namespace tokshuf
