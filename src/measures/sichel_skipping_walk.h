#pragma once

#include "measures/sichel.h"

namespace tokshuf {

// The same walk and result as sichelFit(), bit for bit and including its
// fatal error, with far fewer evaluations of fz.
//
// The walk's result is its last x, and x only ever moves to the trial value
// x - stepsize; fz values matter only through the signs of the three tests
// of each pass. Far from the root the residual delta is large, and a bound
// on its slope proves that for the next many trial values every test comes
// out as "keep walking": residual above the tolerance, no step over the
// root, fz not negative. Those passes are made without evaluating fz (the
// trial values are still formed by the same repeated subtraction); fz is
// evaluated exactly at the last of them, which becomes the next anchor.
// Near the root, and below 1, every pass evaluates fz once; the reuse of
// the value at x for the loop test and of the step test's value for the
// failure test is exact, since each is the same call of fz on the same
// argument. kEvaluateEach turns the skipping off, for the tests and
// benchmarks that compare the two.
enum class SichelPasses { kSkipProven, kEvaluateEach };
SichelFit sichelFitSkipping(int tokens, int types, int hapaxes,
                            SichelPasses passes = SichelPasses::kSkipProven);

}  // namespace tokshuf
