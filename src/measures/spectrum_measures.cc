#include "measures/spectrum_measures.h"

#include <cmath>
#include <cstdint>

namespace tokshuf {

double yuleK(const FrequencySpectrum& s) {
  // m * m * v can pass 2^31; every partial sum stays below N^2 < 2^53, so
  // the sum is exact in 64-bit integers.
  std::int64_t S2 = 0;
  for (int i = 1; i <= s.frequencyCount; ++i) {
    const std::int64_t m = s.frequencies[i];
    S2 += m * m * s.VM[m];
  }
  const double n = s.N;
  return 10000.0 * double(S2 - s.N) / (n * n);
}

double simpsonD(const FrequencySpectrum& s) {
  std::int64_t S = 0;
  for (int i = 1; i <= s.frequencyCount; ++i) {
    const std::int64_t m = s.frequencies[i];
    S += s.VM[m] * m * (m - 1);
  }
  const double n = s.N;
  return double(S) / (n * (n - 1.0));
}

double entropy(const FrequencySpectrum& s) {
  double sum = 0.0;
  for (int i = 1; i <= s.frequencyCount; ++i) {
    const int m = s.frequencies[i];
    const double p = double(m) / double(s.N);
    sum += double(s.VM[m]) * p * std::log(p);
  }
  return -sum;
}

}  // namespace tokshuf
