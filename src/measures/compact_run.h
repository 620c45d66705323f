#pragma once

#include <cstdint>
#include <memory>

#include "common/run_arrays.h"
#include "measures/chunk_measures.h"
#include "measures/hypergeometric_diversity.h"
#include "measures/incremental_spectrum.h"
#include "measures/window_measure_run.h"
#include "measures/run_state.h"

namespace tokshuf {

// What one measuring thread keeps from run to run: the incremental
// spectrum's bookkeeping, the memo of draw probabilities, the window
// measures' tables and the missing-fit counts.
struct CompactRunState {
  explicit CompactRunState(const TextShape& shape = TextShape()) : spectrum(shape) {}

  IncrementalSpectrum spectrum;
  DrawProbabilityCache drawCache;
  // Made at the first run that needs window measures: its tables grow
  // with the text.
  std::unique_ptr<WindowMeasureRun> windows;
  WindowValues windowValues;
  MissingFits missing;
};

// measureTokenOrder() for a token order held in 16- or 32-bit type ids:
// stores the same values of every chunk in row `row`, adds the same missing
// fits and throws the same FatalError. The state must be in its
// between-runs condition, and is left in it, also when a fit ends the
// program.
template <class T>
void measureCompactOrder(int row, const MeasureContext& context, const T* order,
                         CompactRunState& state, RunArrays& arrays);

}  // namespace tokshuf
