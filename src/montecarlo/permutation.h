#pragma once

#include <cmath>
#include <cstdio>
#include <vector>

#include "common/run_arrays.h"
#include "common/text.h"
#include "measures/chunk_measures.h"
#include "montecarlo/uniform_random.h"

namespace tokshuf {

// Position in i..n for a draw u: i + floor(u * (n - i + 1)). A draw of
// exactly 1.0 would give n + 1, so it takes the last position instead.
inline int shufflePartner(double u, int i, int n) {
  const int k = i + int(std::floor(u * double(n - i + 1)));
  return k > n ? n : k;
}

// Forward Fisher-Yates over ranks[1..n]: n - 1 draws from draw(), one per
// position 1..n-1, in order.
template <class Draw>
void randomizeWith(std::vector<int>& ranks, int n, Draw&& draw) {
  for (int i = 1; i <= n - 1; ++i) {
    const int k = shufflePartner(draw(), i, n);
    const int kept = ranks[i];
    ranks[i] = ranks[k];
    ranks[k] = kept;
  }
}

// Shuffles ranks[1..n] from the generator's running stream, never
// re-seeding it.
void randomize(UniformRandom& generator, std::vector<int>& ranks, int n);

// A generator seeded as the permutation runs seed it, with -1.
UniformRandom seededGenerator();

// The reference engine: seeds the generator, then for p = 1..nperm
// shuffles a copy of the text further (each shuffle starts from the
// previous run's order) and measures run p into row p. Every tenth run
// number goes to console (unless null). Returns the missing fits of runs
// 1..nperm.
MissingFits runReferencePermutations(const MeasureContext& context,
                                     const Text& text, std::FILE* console,
                                     RunArrays& arrays);

}  // namespace tokshuf
