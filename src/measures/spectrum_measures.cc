#include "measures/spectrum_measures.h"

#include <cmath>
#include <cstdint>

namespace tokshuf {

double getK2(int numranks, const std::vector<int>& VM,
             const std::vector<int>& MLIJST, int curN) {
  // m * m * v can pass 2^31; every partial sum stays below N^2 < 2^53, so
  // the sum is exact in 64-bit integers.
  std::int64_t S2 = 0;
  for (int i = 1; i <= numranks; ++i) {
    const std::int64_t m = MLIJST[i];
    S2 += m * m * VM[m];
  }
  const double n = curN;
  return 10000.0 * double(S2 - curN) / (n * n);
}

double getD2(int numranks, const std::vector<int>& VM,
             const std::vector<int>& MLIJST, int curN) {
  std::int64_t S = 0;
  for (int i = 1; i <= numranks; ++i) {
    const std::int64_t m = MLIJST[i];
    S += VM[m] * m * (m - 1);
  }
  const double n = curN;
  return double(S) / (n * (n - 1.0));
}

double getE2(int numranks, const std::vector<int>& VM,
             const std::vector<int>& MLIJST, int curN) {
  double sum = 0.0;
  for (int i = 1; i <= numranks; ++i) {
    const int m = MLIJST[i];
    const double p = double(m) / double(curN);
    sum += double(VM[m]) * p * std::log(p);
  }
  return -sum;
}

}  // namespace tokshuf
