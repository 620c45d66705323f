#pragma once

#include "common/run_arrays.h"
#include "common/text.h"
#include "measures/chunk_measures.h"
#include "montecarlo/engine_settings.h"

namespace tokshuf {

// The text in its own order, by the chosen engine, into row 0 of the run
// arrays; returns its missing fits. A fit that ends the program throws its
// FatalError.
MissingFits measureFileOrder(const EngineSettings& engine, const MeasureContext& context,
                             const Text& text, RunArrays& arrays);

// The permutation runs 1..nperm of the text, by the chosen engine, into
// rows 1..nperm of the run arrays; the text itself is left as it is.
// Writes the progress numbers to engine.console and returns the missing
// fits of those runs. A fit that ends the program throws its FatalError.
MissingFits runPermutations(const EngineSettings& engine,
                            const MeasureContext& context, const Text& text,
                            RunArrays& arrays);

}  // namespace tokshuf
