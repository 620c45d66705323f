#pragma once

#include <cmath>
#include <vector>

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

// Seeds the generator with -1, then for p = 1..nperm shuffles ranks further
// and measures run p; every tenth run number goes to standard error.
void permute(int nperm, const MeasureContext& context, Text& text,
             RunState& run, RunArrays& arrays);

}  // namespace tokshuf
