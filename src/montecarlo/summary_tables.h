#pragma once

#include "common/run_arrays.h"
#include "common/profile_table.h"
#include "common/settings.h"

namespace tokshuf {

// Number of sorted values left out at each end of a confidence interval
// of ci percent over n values.
int tailCount(int n, int ci);

// Which permutation runs a column's Monte Carlo summaries take: all, or,
// for a fitted column, only those whose value is not 0 (a failed fit).
enum class SummarisedRuns { kAll, kFitted };

// Copies run 0 of runs into the given column of observed and, with
// permutation runs, the mean and confidence bounds over runs 1..nperm into
// the other three tables.
void summariseColumn(const RunArray& runs, int column, SummarisedRuns runsTaken,
                     const Settings& settings, ProfileTables& tables);

// Reduces the run array of every chosen measure into its column, each with
// the operation its measure needs.
void summariseRuns(const RunArrays& arrays, const Settings& settings,
                   ProfileTables& tables);

}  // namespace tokshuf
