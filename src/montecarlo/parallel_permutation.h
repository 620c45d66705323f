#pragma once

#include <cstdio>

#include "common/run_arrays.h"
#include "common/text.h"
#include "measures/chunk_measures.h"

namespace tokshuf {

// runReferencePermutations() spread over threads. One shuffle at a time
// continues the generator's stream and the cumulative order exactly as the
// reference does; each shuffled order is then measured by whichever thread
// is free, into its own row. The progress numbers, the rows and the missing-fit
// counts are those of the reference for any thread count, and a fit that ends
// the program ends it as in the reference: the FatalError of the first failing
// run in run order is thrown after the progress numbers the reference
// would have written before it. Returns the missing fits of runs 1..nperm.
MissingFits runPipelinedPermutations(const MeasureContext& context,
                                     const Text& text, int threads,
                                     std::FILE* console, RunArrays& arrays);

}  // namespace tokshuf
