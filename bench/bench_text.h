#pragma once

#include <vector>

#include "montecarlo/permutation.h"
#include "support/zipfian_text.h"

namespace tokshuf::bench {

// The benchmark text: 200,000 Zipfian tokens over up to 20,000 types, as a
// token sequence (index 0 unused). Built once.
inline const std::vector<int>& benchText() {
  static const std::vector<int> text =
      test::zipfianTokenSequence(test::ZipfianTextShape{});
  return text;
}

inline int benchTokens() { return int(benchText().size()) - 1; }

// The benchmark text in the order of the first permutation run, so that
// first occurrences are spread as in a run.
inline std::vector<int> shuffledBenchText() {
  std::vector<int> ranks = benchText();
  UniformRandom generator = seededGenerator();
  randomize(generator, ranks, benchTokens());
  return ranks;
}

}  // namespace tokshuf::bench
