#include "measures/compact_run.h"

#include "measures/diversity_columns.h"
#include "measures/sichel_skipping_walk.h"
#include "measures/window_columns.h"

namespace tokshuf {
namespace {

SichelFit fitSichelSkipping(int tokens, int types, int hapaxes) {
  return sichelFitSkipping(tokens, types, hapaxes);
}

// The window measures of every chunk at once, from one pass over the
// order (or a few).
template <class T>
void measureWindows(int row, const MeasureContext& context, const T* order,
                    CompactRunState& state, RunArrays& arrays) {
  const WindowSelection chosen = chosenWindowMeasures(arrays);
  if (chosen.none()) return;
  if (!state.windows) {
    state.windows = std::make_unique<WindowMeasureRun>(context.N, context.shape.typeLimit);
  }
  const Settings& settings = context.settings;
  state.windows->measure(order, context.N, context.chunkEnds, settings.nchunks,
                         windowParameters(settings.parameters), chosen, state.windowValues);
  storeWindowColumns(row, settings.nchunks, state.windowValues, arrays);
}

template <class T>
void measureChunks(int row, const MeasureContext& context, const T* order,
                   CompactRunState& state, RunArrays& arrays) {
  const Settings& settings = context.settings;
  const FrequencySpectrum& s = state.spectrum.spectrum();
  for (int j = 1; j <= settings.nchunks; ++j) {
    state.spectrum.addChunk(order, settings.rankA, settings.rankThe,
                            context.chunkEnds[j - 1] + 1, context.chunkEnds[j]);
    storeSpectrumMeasures(row, j, s, arrays);
    storeDiversityColumns(row, j, s, settings.parameters, state.drawCache, arrays);
    fitAndStore(row, j, context, s, fitSichelSkipping, state.missing, arrays);
  }
}

}  // namespace

template <class T>
void measureCompactOrder(int row, const MeasureContext& context, const T* order,
                         CompactRunState& state, RunArrays& arrays) {
  measureWindows(row, context, order, state, arrays);
  state.spectrum.startRun();
  try {
    measureChunks(row, context, order, state, arrays);
  } catch (...) {
    // Only the fits throw, and they run after the chunk's spectrum is
    // complete, so the usual clean-up applies.
    state.spectrum.endRun();
    throw;
  }
  state.spectrum.endRun();
}

template void measureCompactOrder(int, const MeasureContext&, const std::uint16_t*,
                                  CompactRunState&, RunArrays&);
template void measureCompactOrder(int, const MeasureContext&, const std::uint32_t*,
                                  CompactRunState&, RunArrays&);

}  // namespace tokshuf
