#include "measures/sichel.h"

#include <cmath>

#include "common/fatal_error.h"

namespace tokshuf {

double fz(double z, double curN, double curV, double n1) {
  if (z <= 0) throw FatalError(formatString("z <= 0; %20.10f\n", z));
  return 1.0 + std::log(z) * (1.0 + z * n1 / curN) * curV / (2.0 * n1);
}

double delta(double x, double curN, double curV, double n1) {
  return x - fz(x, curN, curV, n1);
}

SichelFit sichelParameters(double N, double V, double V1, double x,
                           bool slecht) {
  SichelFit fit;
  const double theta = x * (V1 / N);
  const double oneMinusThetaSq = 1.0 - theta * theta;
  fit.c = oneMinusThetaSq / (N * (1.0 - oneMinusThetaSq));
  fit.b = ((V1 + V1) / (V * oneMinusThetaSq)) * (N * theta / V1 - 1.0) /
          std::sqrt(1.0 + N * fit.c);
  const double s = std::sqrt(1.0 + N * fit.c);
  fit.a1 = (N * fit.b) / ((2.0 / fit.c) * s * (std::exp(fit.b * (s - 1.0)) - 1.0));
  if (slecht) fit = SichelFit{0.0, 0.0, 0.0, true};
  return fit;
}

SichelFit sichelFit(int curN, int curV, int curV1) {
  const double N = curN;
  const double V = curV;
  const double V1 = curV1;

  // Walk down from N / V1 towards the non-trivial root of delta; whenever a
  // step would cross it, stay and shrink the step a thousandfold.
  const double upper = N / V1;
  double stepsize = upper / kSichelStepDivisor;
  double x = upper;
  int iterations = 0;
  bool slecht = false;
  while (delta(x, N, V, V1) > kSichelTolerance) {
    ++iterations;
    double y = x - stepsize;
    if (y > 0 && delta(y, N, V, V1) < 0) {
      y = x;
      stepsize = stepsize / kSichelStepDivisor;
    }
    if (fz(y, N, V, V1) < 0 || iterations > kSichelMaxPasses) {
      slecht = true;
      break;
    }
    x = y;
  }

  return sichelParameters(N, V, V1, x, slecht);
}

void SichelParam(RunState& run) {
  const SichelFit fit = sichelFit(run.wf.curN, run.wf.curV, run.wf.curV1);
  run.cur_b = fit.b;
  run.cur_c = fit.c;
  run.cur_a1 = fit.a1;
  if (fit.failed) ++run.sichelzeros;
}

}  // namespace tokshuf
