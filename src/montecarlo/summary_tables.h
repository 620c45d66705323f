#pragma once

#include "common/run_arrays.h"
#include "common/profile_table.h"
#include "common/settings.h"

namespace tokshuf {

// Number of sorted values left out at each end of a confidence interval
// of ci percent over n values.
int tailCount(int n, int ci);

// Copies run 0 of runs into the given column of observed and, with
// permutation runs, the mean and confidence bounds over runs 1..nperm into
// the other three tables.
void summariseColumn(const RunArray& runs, int column, const Settings& settings,
                     ProfileTables& tables);

// As summariseColumn, but the Monte Carlo summaries use only the runs whose
// value is not 0 (a failed fit).
void summariseFitColumn(const RunArray& runs, int column,
                        const Settings& settings, ProfileTables& tables);

// Reduces all 24 run arrays, each with the operation its column needs.
void summariseRuns(const RunArrays& arrays, const Settings& settings,
                   ProfileTables& tables);

}  // namespace tokshuf
