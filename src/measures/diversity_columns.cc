#include "measures/diversity_columns.h"

#include "measures/diversity_indices.h"

namespace tokshuf {
namespace {

void storeIndices(int row, int j, const FrequencySpectrum& s, RunArrays& out) {
  out.store(kColumnTTR, row, j, typeTokenRatio(s));
  out.store(kColumnCTTR, row, j, carrollCttr(s));
  out.store(kColumnMaas, row, j, maasA(s));
  out.store(kColumnLgV0, row, j, maasLgV0(s));
  out.store(kColumnU, row, j, dugastU(s));
  out.store(kColumnSummer, row, j, summerS(s));
  if (out.has(kColumnI)) out[kColumnI][row][j] = yuleI(s);
  if (out.has(kColumnVm)) out[kColumnVm][row][j] = herdanVm(s);
}

}  // namespace

void storeDiversityColumns(int row, int j, const FrequencySpectrum& s,
                           const MeasureParameters& parameters, RunArrays& out) {
  storeIndices(row, j, s, out);
  if (out.has(kColumnHDD)) out[kColumnHDD][row][j] = hdd(s, parameters.hddDraws);
  if (out.has(kColumnVocdD)) out[kColumnVocdD][row][j] = vocdD(s);
}

void storeDiversityColumns(int row, int j, const FrequencySpectrum& s,
                           const MeasureParameters& parameters, DrawProbabilityCache& cache,
                           RunArrays& out) {
  storeIndices(row, j, s, out);
  const bool wantsHdd = out.has(kColumnHDD);
  const bool wantsVocd = out.has(kColumnVocdD);
  if (wantsHdd && wantsVocd && parameters.hddDraws == kHddDraws) {
    // One look-up per frequency serves both.
    const DrawDiversity both = drawDiversity(s, cache);
    out[kColumnHDD][row][j] = both.hdd;
    out[kColumnVocdD][row][j] = both.vocdD;
    return;
  }
  if (wantsHdd) out[kColumnHDD][row][j] = hdd(s, parameters.hddDraws, cache);
  if (wantsVocd) out[kColumnVocdD][row][j] = vocdD(s, cache);
}

}  // namespace tokshuf
