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

double zipfVocabulary(double z, double pstar, double N, ZipfForm form) {
  const double D = form == ZipfForm::kHarmonic
                       ? harmonic(int(std::floor(pstar * z)))
                       : std::log(pstar * z);
  return std::log(N / z) * (z / D) * (N / (N - z));
}

double zipfSize(double pstar, int N, int V, int* zeros, ZipfForm form) {
  const double n = N;
  const double Vd = V;
  double a = 1.0 + 1.0 / pstar;
  double b = 500.0 * n;
  double Z = a + (b - a) * 0.5;
  double diff = Vd - zipfVocabulary(Z, pstar, n, form);
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
    diff = Vd - zipfVocabulary(Z, pstar, n, form);
    if (iterations > kMaxPasses) {
      ++*zeros;
      return 0.0;
    }
  }
  return Z;
}

}  // namespace tokshuf
