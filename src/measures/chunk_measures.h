#pragma once

#include <vector>

#include "common/chunks.h"
#include "common/run_arrays.h"
#include "common/settings.h"
#include "common/text_shape.h"
#include "measures/run_state.h"
#include "measures/sichel.h"

namespace tokshuf {

// Read-only inputs shared by every run of one process.
struct MeasureContext {
  const Settings& settings;
  const Chunks& chunkEnds;
  int N;             // tokens in the whole text
  int rankOneCount;  // tokens of rank 1 in the whole text
  TextShape shape{};  // how large the per-run tables must be
};

// Stores every chosen measure of chunk j of run row that the classic
// profile computes from the spectrum: the counts, the closed forms and the
// sums over the spectrum (not the Sichel and Zipf fits).
void storeSpectrumMeasures(int row, int j, const FrequencySpectrum& s,
                           RunArrays& out);

// Whether the chosen measures need the Sichel fit (b, c, a1) or the Zipf
// fit (Z); a fit that no column needs is not computed, nor counted.
bool wantsSichelFit(const RunArrays& out);
bool wantsZipfFit(const RunArrays& out);

// Makes the fits the chosen columns need, by the given Sichel fit and the
// Zipf fit, counts their failures in `missing`, and stores them at chunk j
// of run row.
using SichelFitFunction = SichelFit (*)(int tokens, int types, int hapaxes);
void fitAndStore(int row, int j, const MeasureContext& context, const FrequencySpectrum& s,
                 SichelFitFunction fitSichel, MissingFits& missing, RunArrays& out);

// Stores the fitted columns of chunk j of run row.
void storeFits(int row, int j, const SichelFit& sichel, double zipfSize,
               RunArrays& out);

// The top relative frequency p* passed to the Zipf fit at the current
// prefix.
double zipfPstar(const MeasureContext& context, const FrequencySpectrum& s);

// Measures the token order ranks[1..N] at every chunk boundary and stores
// the 24 values of chunk j in row `row`, column j of the run arrays. The
// run state must be in its between-runs condition and is left in it.
void measureTokenOrder(int row, const MeasureContext& context,
                       const std::vector<int>& ranks, RunState& run,
                       RunArrays& arrays);

}  // namespace tokshuf
