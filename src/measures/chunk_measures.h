#pragma once

#include "common/chunks.h"
#include "common/run_arrays.h"
#include "common/settings.h"
#include "common/text.h"
#include "measures/run_state.h"
#include "measures/zipf.h"

namespace tokshuf {

// Read-only inputs shared by every run of one process.
struct MeasureContext {
  const Settings& settings;
  const Chunks& chunkEnds;
  int N;      // tokens in the whole text
  int rankOneCount;  // tokens of rank 1 in the whole text
};

// The Zipf fit uses the logarithmic form throughout.
inline constexpr ZipfForm kZipfForm = ZipfForm::kLogarithmic;

// Stores every measure of chunk j of run a except the Sichel and Zipf fits:
// the counts, the closed forms and the sums over the spectrum.
void storeSpectrumMeasures(int a, int j, RunState& run, RunArrays& out);

// The top relative frequency passed to the Zipf fit at the current prefix.
double zipfPstar(const MeasureContext& context, const WordFreqState& s);

// Measures the token order in ranks at every chunk boundary and stores the
// 24 values of chunk j in row a, column j of the run arrays. The run state
// must be in its between-runs condition and is left in it.
void measureTokenOrder(int a, const MeasureContext& context,
                       const std::vector<int>& ranks, RunState& run,
                       RunArrays& arrays);

}  // namespace tokshuf
