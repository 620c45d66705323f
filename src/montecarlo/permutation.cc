#include "montecarlo/permutation.h"

#include <cstdio>

namespace tokshuf {

void randomize(UniformRandom& generator, std::vector<int>& ranks, int n) {
  int seed = 1;
  randomizeWith(ranks, n, [&] { return generator.uniformRandom(&seed); });
}

void permute(int nperm, const MeasureContext& context, Text& text,
             RunState& run, RunArrays& arrays) {
  UniformRandom generator;
  int seed = -1;
  generator.uniformRandom(&seed);
  for (int p = 1; p <= nperm; ++p) {
    randomize(generator, text.ranks, text.N);
    if (p % 10 == 0) std::fprintf(stderr, "%d\r", p);
    measureTokenOrder(p, context, text.ranks, run, arrays);
  }
}

}  // namespace tokshuf
