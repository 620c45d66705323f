#include "measures/spectrum_measures.h"

#include <cmath>
#include <cstdint>

namespace tokshuf {

double yuleK(int frequencyCount, const std::vector<int>& VM,
             const std::vector<int>& frequencies, int N) {
  // m * m * v can pass 2^31; every partial sum stays below N^2 < 2^53, so
  // the sum is exact in 64-bit integers.
  std::int64_t S2 = 0;
  for (int i = 1; i <= frequencyCount; ++i) {
    const std::int64_t m = frequencies[i];
    S2 += m * m * VM[m];
  }
  const double n = N;
  return 10000.0 * double(S2 - N) / (n * n);
}

double simpsonD(int frequencyCount, const std::vector<int>& VM,
                const std::vector<int>& frequencies, int N) {
  std::int64_t S = 0;
  for (int i = 1; i <= frequencyCount; ++i) {
    const std::int64_t m = frequencies[i];
    S += VM[m] * m * (m - 1);
  }
  const double n = N;
  return double(S) / (n * (n - 1.0));
}

double entropy(int frequencyCount, const std::vector<int>& VM,
               const std::vector<int>& frequencies, int N) {
  double sum = 0.0;
  for (int i = 1; i <= frequencyCount; ++i) {
    const int m = frequencies[i];
    const double p = double(m) / double(N);
    sum += double(VM[m]) * p * std::log(p);
  }
  return -sum;
}

}  // namespace tokshuf
