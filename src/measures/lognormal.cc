#include "measures/lognormal.h"

#include <cmath>

namespace tokshuf {

double logFrequencyMean(int frequencyCount, const std::vector<int>& VM,
                        const std::vector<int>& frequencies, int V) {
  double sum = 0.0;
  for (int i = 1; i <= frequencyCount; ++i) {
    const int m = frequencies[i];
    sum += double(VM[m]) * std::log(double(m));
  }
  return sum / double(V);
}

double logFrequencyStdDev(double mean, int frequencyCount,
                          const std::vector<int>& VM,
                          const std::vector<int>& frequencies, int V) {
  double sum = 0.0;
  for (int i = 1; i <= frequencyCount; ++i) {
    const int m = frequencies[i];
    const double lm = std::log(double(m));
    sum += double(VM[m]) * (lm * lm);
  }
  const double v = V;
  return std::sqrt((sum - v * (mean * mean)) / (v - 1.0));
}

void lognormalFit(int frequencyCount, std::vector<double>& logShares,
                  const std::vector<int>& VM,
                  const std::vector<int>& frequencies, int N,
                  double* lognormalMean, double* lognormalStdDev) {
  *lognormalMean = 0.0;
  for (int i = 1; i <= frequencyCount; ++i) {
    const int m = frequencies[i];
    const int tokens = m * VM[m];  // at most N, so no overflow
    logShares[i] = std::log(double(tokens) / double(N));
    *lognormalMean += logShares[i];
  }
  *lognormalMean = *lognormalMean / double(frequencyCount);
  *lognormalStdDev = 0.0;
  for (int i = 1; i <= frequencyCount; ++i) {
    const double d = logShares[i] - *lognormalMean;
    *lognormalStdDev += d * d;
  }
  *lognormalStdDev = std::sqrt(*lognormalStdDev / double(frequencyCount - 1));
}

}  // namespace tokshuf
