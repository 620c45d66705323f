#include "measures/sichel.h"

#include <cmath>

#include "common/fatal_error.h"

namespace tokshuf {

double fz(double z, double N, double V, double V1) {
  if (z <= 0) throw FatalError(formatString("z <= 0; %20.10f\n", z));
  return 1.0 + std::log(z) * (1.0 + z * V1 / N) * V / (2.0 * V1);
}

double delta(double x, double N, double V, double V1) {
  return x - fz(x, N, V, V1);
}

SichelFit sichelParameters(double N, double V, double V1, double x,
                           bool failed) {
  SichelFit fit;
  const double theta = x * (V1 / N);
  const double oneMinusThetaSq = 1.0 - theta * theta;
  fit.c = oneMinusThetaSq / (N * (1.0 - oneMinusThetaSq));
  fit.b = ((V1 + V1) / (V * oneMinusThetaSq)) * (N * theta / V1 - 1.0) /
          std::sqrt(1.0 + N * fit.c);
  const double s = std::sqrt(1.0 + N * fit.c);
  fit.a1 = (N * fit.b) / ((2.0 / fit.c) * s * (std::exp(fit.b * (s - 1.0)) - 1.0));
  if (failed) fit = SichelFit{0.0, 0.0, 0.0, true};
  return fit;
}

SichelFit sichelFit(int tokens, int types, int hapaxes) {
  const double N = tokens;
  const double V = types;
  const double V1 = hapaxes;

  // Walk down from N / V1 towards the non-trivial root of delta; whenever a
  // step would cross it, stay and shrink the step a thousandfold.
  const double upper = N / V1;
  double stepsize = upper / kSichelStepDivisor;
  double x = upper;
  int iterations = 0;
  bool failed = false;
  while (delta(x, N, V, V1) > kSichelTolerance) {
    ++iterations;
    double y = x - stepsize;
    if (y > 0 && delta(y, N, V, V1) < 0) {
      y = x;
      stepsize = stepsize / kSichelStepDivisor;
    }
    if (fz(y, N, V, V1) < 0 || iterations > kSichelMaxPasses) {
      failed = true;
      break;
    }
    x = y;
  }

  return sichelParameters(N, V, V1, x, failed);
}

}  // namespace tokshuf
