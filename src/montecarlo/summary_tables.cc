#include "montecarlo/summary_tables.h"

#include <cmath>
#include <vector>

#include "montecarlo/quick_sort.h"

namespace tokshuf {
namespace {

// Stores mean and bounds of values[1..n] (unsorted, summing to sum).
void storeSummary(std::vector<double>& values, int n, double sum, int j,
                  int col, int ci, ProfileTables& tables) {
  tables.means[j][col] = sum / n;
  quickSort(n, values.data());
  const int t = tailCount(n, ci);
  tables.lowerBounds[j][col] = values[t + 1];
  tables.upperBounds[j][col] = values[n - t];
}

}  // namespace

int tailCount(int n, int ci) {
  const double f = 2.0 * (100.0 / double(100 - ci));
  return int(std::floor(double(n) / f));
}

void summariseColumn(const RunArray& runs, int col, SummarisedRuns runsTaken,
                     const Settings& settings, ProfileTables& tables) {
  const int nperm = settings.nperm;
  const bool leaveOutFailedFits = runsTaken == SummarisedRuns::kFitted;
  std::vector<double> values(nperm + 1);
  for (int j = 1; j <= settings.nchunks; ++j) {
    tables.observed[j][col] = runs[0][j];
    if (nperm <= 0) continue;
    double sum = 0.0;
    int count = 0;
    for (int i = 1; i <= nperm; ++i) {
      const double value = runs[i][j];
      // A failed fit is 0; -0.0 counts too, NaN not.
      if (leaveOutFailedFits && value == 0.0) continue;
      values[++count] = value;
      sum += value;
    }
    if (count == 0) {
      // No run fitted: the mean is 0/0, and the bounds repeat that NaN.
      const double mean = sum / count;
      tables.means[j][col] = mean;
      tables.lowerBounds[j][col] = mean;
      tables.upperBounds[j][col] = mean;
      continue;
    }
    storeSummary(values, count, sum, j, col, settings.confidenceLevel, tables);
  }
}

void summariseRuns(const RunArrays& arrays, const Settings& settings,
                   ProfileTables& tables) {
  const MeasureSelection& chosen = settings.measures;
  for (int position = 1; position <= chosen.count(); ++position) {
    const int measure = chosen.measureAt(position);
    const SummarisedRuns runsTaken =
        isFitColumn(measure) ? SummarisedRuns::kFitted : SummarisedRuns::kAll;
    summariseColumn(arrays[measure], position, runsTaken, settings, tables);
  }
}

}  // namespace tokshuf
