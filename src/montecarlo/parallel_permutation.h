#pragma once

#include "common/run_arrays.h"
#include "common/text.h"
#include "measures/chunk_measures.h"

namespace tokshuf {

struct MissingFits {
  int zipf = 0;
  int sichel = 0;
};

// permute() spread over threads. One shuffle at a time continues the
// generator's stream and the cumulative order exactly as permute() does;
// each shuffled order is then measured by whichever thread is free, into
// its own row. The progress numbers, the rows and the missing-fit counts
// are those of permute() for any thread count, and a fit that ends the
// program ends it as in permute(): the FatalError of the first failing run
// in run order is thrown after the progress numbers permute() would have
// written before it. text is left unchanged. Returns the missing fits of
// runs 1..nperm.
MissingFits permuteInParallel(int nperm, const MeasureContext& context,
                              const Text& text, int threads,
                              RunArrays& arrays);

}  // namespace tokshuf
