#include "montecarlo/permutation_runs.h"

#include "montecarlo/parallel_permutation.h"
#include "montecarlo/permutation.h"
#include "montecarlo/seeded_permutations.h"

namespace tokshuf {

MissingFits runPermutations(const EngineSettings& engine,
                            const MeasureContext& context, const Text& text,
                            RunArrays& arrays) {
  if (const std::optional<std::uint64_t>& seed = context.settings.seed) {
    if (engine.engine == Engine::kReference) {
      return runSeededReferencePermutations(context, text, *seed, engine.console, arrays);
    }
    return runSeededPermutations(context, text, *seed, engine.threads, engine.console, arrays);
  }
  if (engine.engine == Engine::kReference) {
    return runReferencePermutations(context, text, engine.console, arrays);
  }
  return runPipelinedPermutations(context, text, engine.threads, engine.console,
                                  arrays);
}

}  // namespace tokshuf
