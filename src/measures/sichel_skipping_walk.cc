#include "measures/sichel_skipping_walk.h"

#include <algorithm>
#include <cmath>

namespace tokshuf {
namespace {

// Bound on the difference between the computed residual x - fz(x) and its
// exact value, relative to the magnitudes involved: about ten roundings and
// the logarithm's error (below one unit in the last place) stay under
// 1e-14; 1e-12 leaves a wide margin.
constexpr double kRelativeSlack = 1e-12;

// How far below a the residual is proven to stay above the tolerance,
// given fz computed at a. Only values of at least 1 are covered, where fz
// is at least 1 and so never negative. With r = V / 2V1 and q = V1 / N,
// delta(x) = x - 1 - r ln(x) (1 + q x) has the slope
// 1 - r / x - r q - r q ln(x), which on [1, a] is at most 1 - r / a - r q;
// so delta(y) >= delta(a) - slope (a - y) there.
double provenReach(double a, double fzAtA, double N, double V, double V1) {
  const double deltaAtA = a - fzAtA;
  if (!(a > 1.0) || !(deltaAtA > 0.0)) return 0.0;  // NaN included
  const double r = V / (2.0 * V1);
  const double q = V1 / N;
  const double slope =
      1.0 - r / a - r * q + kRelativeSlack * (1.0 + r / a + r * q);
  // fz grows with x on [1, a], so the slack at a covers every y below it.
  const double slack = kRelativeSlack * (1.0 + a + std::fabs(fzAtA));
  const double room = deltaAtA - 2.0 * slack - 2.0 * kSichelTolerance;
  if (!(room > 0.0) || !std::isfinite(slope)) return 0.0;
  const double span = a - 1.0;
  if (!(slope > 0.0)) return span;
  return std::min(span, room / slope * (1.0 - 1e-9));
}

}  // namespace

SichelFit sichelFitSkipping(int curN, int curV, int curV1) {
  const double N = curN;
  const double V = curV;
  const double V1 = curV1;

  const double upper = N / V1;
  double stepsize = upper / kSichelStepDivisor;
  double x = upper;
  double fzAtX = fz(x, N, V, V1);
  int iterations = 0;
  bool slecht = false;
  while (x - fzAtX > kSichelTolerance) {
    const double reach = provenReach(x, fzAtX, N, V, V1);
    if (reach > stepsize) {
      double y = x;
      int passes = 0;
      for (;;) {
        const double next = y - stepsize;
        if (!(x - next <= reach) || !(next >= 1.0) ||
            iterations + passes + 1 > kSichelMaxPasses) {
          break;
        }
        y = next;
        ++passes;
      }
      if (passes > 0) {
        iterations += passes;
        x = y;
        fzAtX = fz(x, N, V, V1);
        continue;
      }
    }
    // One pass as in the reference, with fz(y) evaluated once.
    ++iterations;
    double y = x - stepsize;
    double fzAtY = fz(y, N, V, V1);
    if (y > 0 && y - fzAtY < 0) {
      y = x;
      fzAtY = fzAtX;
      stepsize = stepsize / kSichelStepDivisor;
    }
    if (fzAtY < 0 || iterations > kSichelMaxPasses) {
      slecht = true;
      break;
    }
    x = y;
    fzAtX = fzAtY;
  }
  return sichelParameters(N, V, V1, x, slecht);
}

}  // namespace tokshuf
