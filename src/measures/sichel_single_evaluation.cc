#include "measures/sichel_single_evaluation.h"

namespace tokshuf {

SichelWalk::SichelWalk(double tokens, double types, double hapaxes)
    : N(tokens),
      V(types),
      V1(hapaxes),
      stepsize(N / V1 / kSichelStepDivisor),
      x(N / V1),
      fzAtX(fz(x, N, V, V1)) {}

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

SichelFit sichelFitSingleEvaluation(int tokens, int types, int hapaxes) {
  SichelWalk walk(tokens, types, hapaxes);
  while (walk.goesOn() && walk.pass()) {
  }
  return sichelParameters(walk.N, walk.V, walk.V1, walk.x, walk.failed);
}

}  // namespace tokshuf
