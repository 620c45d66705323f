#pragma once

#include "measures/sichel.h"

namespace tokshuf {

// The walk of sichelFit() with fz evaluated once per pass: the loop test at
// x reuses the value computed when x was the trial value, and the failure
// test reuses the value of the step test or of the loop test. Every reused
// value is the same call of fz on the same argument, so it is bit for bit
// what sichelFit() would compute again.
struct SichelWalk {
  SichelWalk(double tokens, double types, double hapaxes);

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

// The same result as sichelFit(), including its fatal error.
SichelFit sichelFitSingleEvaluation(int tokens, int types, int hapaxes);

}  // namespace tokshuf
