#pragma once

#include "common/run_arrays.h"
#include "common/settings.h"
#include "measures/hypergeometric_diversity.h"
#include "measures/word_freq_state.h"

namespace tokshuf {

// Stores the chosen diversity columns that the spectrum of the prefix
// decides (TTR to Vm, HDD and vocdD) at chunk j of run row, each computed
// the plain way.
void storeDiversityColumns(int row, int j, const FrequencySpectrum& s,
                           const MeasureParameters& parameters, RunArrays& out);

// The same values, bit for bit, with the draw probabilities of HDD and
// vocdD taken from a thread's cache.
void storeDiversityColumns(int row, int j, const FrequencySpectrum& s,
                           const MeasureParameters& parameters, DrawProbabilityCache& cache,
                           RunArrays& out);

}  // namespace tokshuf
