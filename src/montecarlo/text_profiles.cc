#include "montecarlo/text_profiles.h"

#include <cstdio>
#include <new>
#include <utility>

#include "common/fatal_error.h"
#include "common/type_ids.h"
#include "measures/chunk_measures.h"
#include "montecarlo/permutation_runs.h"
#include "montecarlo/summary_tables.h"

namespace tokshuf {
namespace {

// The values of every run are the one large table of a run; if it does not
// fit, say how much it needed.
RunArrays allocateRunArrays(const Settings& settings) {
  try {
    return RunArrays(settings.nperm, settings.measures);
  } catch (const std::bad_alloc&) {
    const std::size_t bytes = std::size_t(settings.measures.count()) *
                              std::size_t(settings.nperm + 1) * RunArray::kChunkSlots *
                              sizeof(double);
    throw FatalError(formatString("tokshuf: out of memory (%zu bytes asked for)\n", bytes));
  }
}

}  // namespace

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
  profiles.runs = allocateRunArrays(settings);
  profiles.missing = measureFileOrder(engine, context, measured, profiles.runs);
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
  if (settings.globalTest) profiles.global = testGlobally(profiles.runs, settings, engine.threads);
  return profiles;
}

}  // namespace tokshuf
