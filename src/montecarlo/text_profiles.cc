#include "montecarlo/text_profiles.h"

#include <cstdio>

#include "common/run_arrays.h"
#include "measures/chunk_measures.h"
#include "montecarlo/permutation_runs.h"
#include "montecarlo/summary_tables.h"

namespace tokshuf {

TextProfiles profileText(const EngineSettings& engine, const Settings& settings,
                         const Text& text) {
  TextProfiles profiles;
  profiles.chunkEnds = computeChunks(text.N, settings.nchunks);
  const MeasureContext context{settings, profiles.chunkEnds, text.N,
                               text.rankOneCount};
  RunArrays arrays(settings.nperm);
  RunState fileOrder;
  measureTokenOrder(0, context, text.ranks, fileOrder, arrays);
  profiles.missing = fileOrder.missing;
  if (settings.nperm > 0) {
    std::FILE* console = engine.console;
    if (console != nullptr) {
      std::fprintf(console, "Running %d permutations\n", settings.nperm);
    }
    profiles.missing += runPermutations(engine, context, text, arrays);
    if (console != nullptr)
      std::fputs("\nCompleted permutation runs\n", console);
  }
  summariseRuns(arrays, settings, profiles.tables);
  return profiles;
}

}  // namespace tokshuf
