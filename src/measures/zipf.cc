#include "measures/zipf.h"

#include <cmath>

namespace tokshuf {
namespace {

constexpr double kMaxError = 0.5;
constexpr int kMaxPasses = 10000;

}  // namespace

double harmonic(int m) {
  double sum = 0.0;
  for (int k = 2; k <= m + 1; ++k) sum += 1.0 / double(k);
  return sum;
}

double fZipf(double z, double pstarr, double curN, int newMethod) {
  const double D = newMethod == 1 ? harmonic(int(std::floor(pstarr * z)))
                                  : std::log(pstarr * z);
  return std::log(curN / z) * (z / D) * (curN / (curN - z));
}

double getZ(double pster, int curN, int curV, int* zeros, int newMethod) {
  const double n = curN;
  const double Vd = curV;
  double a = 1.0 + 1.0 / pster;
  double b = 500.0 * n;
  double Z = a + (b - a) * 0.5;
  double diff = Vd - fZipf(Z, pster, n, newMethod);
  int iterations = 0;
  // A NaN difference fails this test and ends the search with the current Z.
  while (std::fabs(diff) > kMaxError) {
    ++iterations;
    if (diff > 0) {
      // Z too small: move the interval up and widen it.
      const double oldA = a;
      a = Z;
      b = b + 2.0 * (b - oldA);
      Z = a + (b - a) * 0.5;
    } else {
      b = a + (b - a) * 0.5;
      Z = a + (b - a) * 0.5;
    }
    diff = Vd - fZipf(Z, pster, n, newMethod);
    if (iterations > kMaxPasses) {
      ++*zeros;
      return 0.0;
    }
  }
  return Z;
}

}  // namespace tokshuf
