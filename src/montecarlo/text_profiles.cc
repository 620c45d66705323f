#include "montecarlo/text_profiles.h"

#include <cstdio>
#include <utility>

#include "common/type_ids.h"
#include "measures/chunk_measures.h"
#include "montecarlo/permutation_runs.h"
#include "montecarlo/summary_tables.h"

namespace tokshuf {

TextProfiles profileText(const EngineSettings& engine, const Settings& settings,
                         const Text& text) {
  return profileText(engine, settings, Text(text));
}

TextProfiles profileText(const EngineSettings& engine, const Settings& settings, Text&& text) {
  TextProfiles profiles;
  profiles.chunkEnds = computeChunks(text.N, settings.nchunks);
  // The measures see type ids, so the two tracked words are named by theirs.
  const TypeIds ids(std::move(text));
  Settings measuring = settings;
  measuring.rankA = ids.idOf(settings.rankA);
  measuring.rankThe = ids.idOf(settings.rankThe);
  const Text& measured = ids.renumbered();
  const MeasureContext context{measuring, profiles.chunkEnds, measured.N,
                               measured.rankOneCount, ids.shape()};
  profiles.runs = RunArrays(settings.nperm, settings.measures);
  RunState fileOrder(context.shape);
  measureTokenOrder(0, context, measured.ranks, fileOrder, profiles.runs);
  profiles.missing = fileOrder.missing;
  if (settings.nperm > 0) {
    std::FILE* console = engine.console;
    if (console != nullptr) {
      std::fprintf(console, "Running %d permutations\n", settings.nperm);
    }
    profiles.missing += runPermutations(engine, context, measured, profiles.runs);
    if (console != nullptr)
      std::fputs("\nCompleted permutation runs\n", console);
  }
  profiles.tables = ProfileTables(settings.measures.count());
  summariseRuns(profiles.runs, settings, profiles.tables);
  return profiles;
}

}  // namespace tokshuf
