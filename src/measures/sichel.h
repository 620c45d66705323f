#pragma once

namespace tokshuf {

// The walk of the Sichel search: the step is the start value over the
// divisor and shrinks by it; the walk ends once the residual is at most the
// tolerance, and fails after the pass limit.
inline constexpr double kSichelStepDivisor = 1000.0;
inline constexpr double kSichelTolerance = 1e-09;
inline constexpr int kSichelMaxPasses = 10000;

// The function whose fixed point gives Sichel's theta; throws FatalError
// ("z <= 0; ...") for z <= 0. A NaN z passes.
double fz(double z, double N, double V, double V1);
double delta(double x, double N, double V, double V1);

// Sichel's parameters for N tokens, V types and V1 hapaxes. failed marks a
// missing fit, whose parameters are all 0.
struct SichelFit {
  double b = 0.0;
  double c = 0.0;
  double a1 = 0.0;
  bool failed = false;
};
SichelFit sichelFit(int tokens, int types, int hapaxes);

// The parameters at the end x of the walk; failed marks a failed walk.
SichelFit sichelParameters(double N, double V, double V1, double x,
                           bool failed);

}  // namespace tokshuf
