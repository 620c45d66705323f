#include "montecarlo/permutation.h"

namespace tokshuf {

void randomize(UniformRandom& generator, std::vector<int>& ranks, int n) {
  int seed = 1;
  randomizeWith(ranks, n, [&] { return generator.uniformRandom(&seed); });
}

UniformRandom seededGenerator() {
  UniformRandom generator;
  int seed = -1;
  generator.uniformRandom(&seed);
  return generator;
}

MissingFits runReferencePermutations(const MeasureContext& context,
                                     const Text& text, std::FILE* console,
                                     RunArrays& arrays) {
  UniformRandom generator = seededGenerator();
  std::vector<int> ranks = text.ranks;
  RunState run(context.shape);
  for (int p = 1; p <= context.settings.nperm; ++p) {
    randomize(generator, ranks, text.N);
    if (p % 10 == 0 && console != nullptr) std::fprintf(console, "%d\r", p);
    measureTokenOrder(p, context, ranks, run, arrays);
  }
  return run.missing;
}

}  // namespace tokshuf
