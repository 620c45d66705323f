#include "measures/sichel_skipping_walk.h"

#include <algorithm>
#include <cmath>

namespace tokshuf {
namespace {

// The walk of sichelFit() with fz evaluated once per pass: the loop test at
// x reuses the value computed when x was the trial value, and the failure
// test reuses the value of the step test or of the loop test. Every reused
// value is the same call of fz on the same argument, so it is bit for bit
// what sichelFit() would compute again.
struct SichelWalk {
  SichelWalk(double tokens, double types, double hapaxes)
      : N(tokens),
        V(types),
        V1(hapaxes),
        stepsize(N / V1 / kSichelStepDivisor),
        x(N / V1),
        fzAtX(fz(x, N, V, V1)) {}

  // The loop test: the residual at x is above the tolerance.
  bool goesOn() const { return x - fzAtX > kSichelTolerance; }
  // One pass; false when it marked the fit as failed. Throws FatalError,
  // as sichelFit() does, for a trial value at or below 0.
  bool pass();

  double N, V, V1;
  double stepsize;
  double x;
  double fzAtX;
  int iterations = 0;
  bool failed = false;
};

bool SichelWalk::pass() {
  ++iterations;
  double y = x - stepsize;
  // At y <= 0 (or a NaN y) the step test is skipped and fz(y) is the
  // failure test's own evaluation, which ends the run for y <= 0.
  double fzAtY = fz(y, N, V, V1);
  if (y > 0 && y - fzAtY < 0) {
    y = x;
    fzAtY = fzAtX;
    stepsize = stepsize / kSichelStepDivisor;
  }
  if (fzAtY < 0 || iterations > kSichelMaxPasses) {
    failed = true;
    return false;
  }
  x = y;
  fzAtX = fzAtY;
  return true;
}

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

// Makes the passes proven to keep walking without evaluating fz, forming
// the trial values by the same repeated subtraction, and evaluates fz at
// the last of them. False when no pass could be proven.
bool skipProvenPasses(SichelWalk& walk) {
  const double reach = provenReach(walk.x, walk.fzAtX, walk.N, walk.V, walk.V1);
  if (!(reach > walk.stepsize)) return false;
  double y = walk.x;
  int passes = 0;
  for (;;) {
    const double next = y - walk.stepsize;
    if (!(walk.x - next <= reach) || !(next >= 1.0) ||
        walk.iterations + passes + 1 > kSichelMaxPasses) {
      break;
    }
    y = next;
    ++passes;
  }
  if (passes == 0) return false;
  walk.iterations += passes;
  walk.x = y;
  walk.fzAtX = fz(y, walk.N, walk.V, walk.V1);
  return true;
}

}  // namespace

SichelFit sichelFitSkipping(int tokens, int types, int hapaxes,
                            SichelPasses passes) {
  SichelWalk walk(tokens, types, hapaxes);
  const bool skip = passes == SichelPasses::kSkipProven;
  while (walk.goesOn()) {
    if (!(skip && skipProvenPasses(walk)) && !walk.pass()) break;
  }
  return sichelParameters(walk.N, walk.V, walk.V1, walk.x, walk.failed);
}

}  // namespace tokshuf
