#include "measures/chunk_measures.h"

#include <cmath>

#include "measures/diversity_columns.h"
#include "measures/lognormal.h"
#include "measures/spectrum.h"
#include "measures/window_columns.h"
#include "measures/spectrum_measures.h"
#include "measures/zipf.h"

namespace tokshuf {

void storeSpectrumMeasures(int row, int j, const FrequencySpectrum& s,
                           RunArrays& out) {
  const double N = s.N;
  const double V = s.V;

  out.store(kColumnFa, row, j, s.fa);
  out.store(kColumnFthe, row, j, s.fthe);
  if (out.has(kColumnK)) out[kColumnK][row][j] = yuleK(s);
  if (out.has(kColumnD)) out[kColumnD][row][j] = simpsonD(s);
  out.store(kColumnV, row, j, s.V);
  out.store(kColumnV1, row, j, s.V1);
  out.store(kColumnV2, row, j, s.V2);
  out.store(kColumnV3, row, j, s.V3);
  out.store(kColumnV4, row, j, s.V4);
  out.store(kColumnV5, row, j, s.V5);
  out.store(kColumnR, row, j, V / std::sqrt(N));
  out.store(kColumnW, row, j, std::exp(std::exp(-0.17 * std::log(V)) * std::log(N)));
  out.store(kColumnS, row, j, double(s.V2) / V);
  out.store(kColumnH, row, j, 100.0 * std::log(N) / (1.0 - double(s.V1) / V));
  out.store(kColumnC, row, j, std::log(V) / std::log(N));
  if (out.has(kColumnE)) out[kColumnE][row][j] = entropy(s);

  if (out.has(kColumnLognormalMean) || out.has(kColumnLognormalStdDev)) {
    const LognormalFit lognormal = lognormalFit(s);
    out.store(kColumnLognormalMean, row, j, lognormal.mean);
    out.store(kColumnLognormalStdDev, row, j, lognormal.stdDev);
  }
  if (out.has(kColumnLogMean) || out.has(kColumnLogStdDev)) {
    const double M = logFrequencyMean(s);
    out.store(kColumnLogMean, row, j, M);
    out.store(kColumnLogStdDev, row, j, logFrequencyStdDev(s, M));
  }
}

bool wantsSichelFit(const RunArrays& out) {
  return out.has(kColumnSichelB) || out.has(kColumnSichelC) || out.has(kColumnSichelA1);
}

bool wantsZipfFit(const RunArrays& out) { return out.has(kColumnZ); }

void storeFits(int row, int j, const SichelFit& sichel, double zipfSize,
               RunArrays& out) {
  out.store(kColumnSichelB, row, j, sichel.b);
  out.store(kColumnSichelC, row, j, sichel.c);
  out.store(kColumnSichelA1, row, j, sichel.a1);
  out.store(kColumnZ, row, j, zipfSize);
}

void fitAndStore(int row, int j, const MeasureContext& context, const FrequencySpectrum& s,
                 SichelFitFunction fitSichel, MissingFits& missing, RunArrays& out) {
  SichelFit sichel;
  if (wantsSichelFit(out)) {
    sichel = fitSichel(s.N, s.V, s.V1);
    if (sichel.failed) ++missing.sichel;
  }
  double z = 0.0;
  if (wantsZipfFit(out)) {
    z = zipfSize(zipfPstar(context, s), s.N, s.V, &missing.zipf, kZipfForm);
  }
  storeFits(row, j, sichel, z, out);
}

double zipfPstar(const MeasureContext& context, const FrequencySpectrum& s) {
  return context.settings.globalPstar
             ? double(context.rankOneCount) / double(context.N)
             : double(s.mMax) / double(s.N);
}

void measureTokenOrder(int row, const MeasureContext& context,
                       const std::vector<int>& ranks, RunState& run,
                       RunArrays& arrays) {
  const Settings& settings = context.settings;
  WordFreqState& s = run.words;
  s.fa = 0;
  s.fthe = 0;
  s.typeCount = 0;
  for (int j = 1; j <= settings.nchunks; ++j) {
    addChunkAndRebuild(s, ranks, settings.rankA, settings.rankThe,
                       context.chunkEnds[j - 1] + 1, context.chunkEnds[j]);
    storeSpectrumMeasures(row, j, s, arrays);
    storeDiversityColumns(row, j, s, settings.parameters, arrays);
    storeWindowColumnsOfPrefix(row, j, ranks.data(), context.chunkEnds[j], settings.parameters,
                               context.shape.typeLimit, arrays);
    fitAndStore(row, j, context, s, sichelFit, run.missing, arrays);
  }
  endRun(s);
}

}  // namespace tokshuf
