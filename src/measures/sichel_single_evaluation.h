#pragma once

#include "measures/sichel.h"

namespace tokshuf {

// The same walk and result as sichelFit(), including its fatal error for a
// trial value at or below 0, with one evaluation of fz per pass instead of
// up to three: the loop test at x reuses the value computed when x was the
// trial value, and the failure test reuses the value of the step test or of
// the loop test. Every reused value is the same call of fz on the same
// argument, so it is bit for bit what sichelFit() would compute again.
SichelFit sichelFitSingleEvaluation(int curN, int curV, int curV1);

}  // namespace tokshuf
