#include "measures/sichel_single_evaluation.h"

namespace tokshuf {

SichelFit sichelFitSingleEvaluation(int curN, int curV, int curV1) {
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
      slecht = true;
      break;
    }
    x = y;
    fzAtX = fzAtY;
  }
  return sichelParameters(N, V, V1, x, slecht);
}

}  // namespace tokshuf
