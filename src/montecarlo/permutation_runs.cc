#include "montecarlo/permutation_runs.h"

#include "montecarlo/parallel_permutation.h"
#include "montecarlo/permutation.h"

namespace tokshuf {

MissingFits runPermutations(const EngineSettings& engine,
                            const MeasureContext& context, const Text& text,
                            RunArrays& arrays) {
  if (engine.engine == Engine::kReference) {
    return runReferencePermutations(context, text, engine.console, arrays);
  }
  return runPipelinedPermutations(context, text, engine.threads, engine.console,
                                  arrays);
}

}  // namespace tokshuf
