#include "montecarlo/permutation_runs.h"

#include "measures/compact_run.h"
#include "montecarlo/compact_shuffle.h"
#include "montecarlo/parallel_permutation.h"
#include "montecarlo/permutation.h"
#include "montecarlo/seeded_permutations.h"

namespace tokshuf {

MissingFits measureFileOrder(const EngineSettings& engine, const MeasureContext& context,
                             const Text& text, RunArrays& arrays) {
  if (engine.engine == Engine::kReference) {
    RunState run(context.shape);
    measureTokenOrder(0, context, text.ranks, run, arrays);
    return run.missing;
  }
  // The fast engine's kernels give the same values, and the window
  // measures' reference costs as much as many runs of them.
  CompactRunState state(context.shape);
  if (context.shape.typeLimit <= 65536) {
    measureCompactOrder(0, context, compactOrderOf<std::uint16_t>(text.ranks, text.N).data(),
                        state, arrays);
  } else {
    measureCompactOrder(0, context, compactOrderOf<std::uint32_t>(text.ranks, text.N).data(),
                        state, arrays);
  }
  return state.missing;
}

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
