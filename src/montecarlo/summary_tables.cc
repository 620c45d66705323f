#include "montecarlo/summary_tables.h"

#include <cmath>
#include <vector>

#include "montecarlo/qcksrt.h"

namespace tokshuf {
namespace {

// Stores mean and bounds of vektor[1..n] (unsorted, summing to sum).
void storeSummary(std::vector<double>& vektor, int n, double sum, int j,
                  int col, int ci, ProfileTables& tables) {
  tables.tabel_means[j][col] = sum / n;
  qcksrt(n, vektor.data());
  const int t = tailCount(n, ci);
  tables.tabel_cilow[j][col] = vektor[t + 1];
  tables.tabel_cihigh[j][col] = vektor[n - t];
}

}  // namespace

int tailCount(int n, int ci) {
  const double f = 2.0 * (100.0 / double(100 - ci));
  return int(std::floor(double(n) / f));
}

void tabulate(const RunArray& CTABLE, int col, const Settings& settings,
              ProfileTables& tables) {
  const int nperm = settings.nperm;
  std::vector<double> vektor(nperm + 1 > 1 ? nperm + 1 : 1);
  for (int j = 1; j <= settings.nchunks; ++j) {
    tables.tabel_orig[j][col] = CTABLE[0][j];
    if (nperm <= 0) continue;
    double sum = 0.0;
    for (int i = 1; i <= nperm; ++i) {
      vektor[i] = CTABLE[i][j];
      sum += vektor[i];
    }
    storeSummary(vektor, nperm, sum, j, col, settings.ci, tables);
  }
}

void tabulate2(const RunArray& CTABLE, int col, const Settings& settings,
               ProfileTables& tables) {
  const int nperm = settings.nperm;
  std::vector<double> vektor(nperm + 1 > 1 ? nperm + 1 : 1);
  for (int j = 1; j <= settings.nchunks; ++j) {
    tables.tabel_orig[j][col] = CTABLE[0][j];
    if (nperm <= 0) continue;
    double sum = 0.0;
    int nnonzero = 0;
    for (int i = 1; i <= nperm; ++i) {
      const double value = CTABLE[i][j];
      if (value == 0.0) continue;  // a failed fit; -0.0 counts too, NaN not
      vektor[++nnonzero] = value;
      sum += value;
    }
    if (nnonzero == 0) {
      // No run fitted: the mean is 0/0, and the bounds repeat that NaN.
      const double mean = sum / nnonzero;
      tables.tabel_means[j][col] = mean;
      tables.tabel_cilow[j][col] = mean;
      tables.tabel_cihigh[j][col] = mean;
      continue;
    }
    storeSummary(vektor, nnonzero, sum, j, col, settings.ci, tables);
  }
}

void tabulateAll(const RunArrays& arrays, const Settings& settings,
                 ProfileTables& tables) {
  for (int column = 1; column <= kMeasureColumns; ++column) {
    if (isFitColumn(column)) {
      tabulate2(arrays[column], column, settings, tables);
    } else {
      tabulate(arrays[column], column, settings, tables);
    }
  }
}

}  // namespace tokshuf
