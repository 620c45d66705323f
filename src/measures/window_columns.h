#pragma once

#include <memory>

#include "common/run_arrays.h"
#include "common/settings.h"
#include "measures/window_measure_run.h"

namespace tokshuf {

// The window measures among the chosen columns, and their parameters.
WindowSelection chosenWindowMeasures(const RunArrays& out);
WindowParameters windowParameters(const MeasureParameters& parameters);

// Stores the chosen window columns of the prefix ranks[1..n] at chunk j of
// run row, each computed from its definition (the reference engine).
void storeWindowColumnsOfPrefix(int row, int j, const int* ranks, int n,
                                const MeasureParameters& parameters, int typeLimit,
                                RunArrays& out);

// Stores the chosen window columns of every chunk 1..nchunks of run row
// from the values a WindowMeasureRun computed for the whole run.
void storeWindowColumns(int row, int nchunks, const WindowValues& values, RunArrays& out);

}  // namespace tokshuf
