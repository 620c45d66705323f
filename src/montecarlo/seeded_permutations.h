#pragma once

#include <cstdint>
#include <cstdio>

#include "common/run_arrays.h"
#include "common/text.h"
#include "measures/chunk_measures.h"

namespace tokshuf {

// The permutation runs under a seed: run p is a shuffle of the text's own
// order drawn from the counter-based stream of (seed, p), independent of
// every other run. Both engines give the same rows, progress numbers,
// missing-fit counts and errors as each other, for any thread count.

// The reference: one run after another, each the plain shuffle of a copy
// of the text and its measurement.
MissingFits runSeededReferencePermutations(const MeasureContext& context, const Text& text,
                                           std::uint64_t seed, std::FILE* console,
                                           RunArrays& arrays);

// Every thread takes the next run, shuffles its own copy of the text and
// measures it; nothing waits for another run's shuffle. Progress numbers
// and the first failure in run order come out as in the reference.
MissingFits runSeededPermutations(const MeasureContext& context, const Text& text,
                                  std::uint64_t seed, int threads, std::FILE* console,
                                  RunArrays& arrays);

}  // namespace tokshuf
