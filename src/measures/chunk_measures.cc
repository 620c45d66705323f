#include "measures/chunk_measures.h"

#include <cmath>

#include "measures/lognormal.h"
#include "measures/spectrum.h"
#include "measures/spectrum_measures.h"
#include "measures/zipf.h"

namespace tokshuf {

void storeSpectrumMeasures(int row, int j, const FrequencySpectrum& s,
                           RunArrays& out) {
  const double N = s.N;
  const double V = s.V;

  out[kColumnFa][row][j] = s.fa;
  out[kColumnFthe][row][j] = s.fthe;
  out[kColumnK][row][j] = yuleK(s);
  out[kColumnD][row][j] = simpsonD(s);
  out[kColumnV][row][j] = s.V;
  out[kColumnV1][row][j] = s.V1;
  out[kColumnV2][row][j] = s.V2;
  out[kColumnV3][row][j] = s.V3;
  out[kColumnV4][row][j] = s.V4;
  out[kColumnV5][row][j] = s.V5;
  out[kColumnR][row][j] = V / std::sqrt(N);
  out[kColumnW][row][j] = std::exp(std::exp(-0.17 * std::log(V)) * std::log(N));
  out[kColumnS][row][j] = double(s.V2) / V;
  out[kColumnH][row][j] = 100.0 * std::log(N) / (1.0 - double(s.V1) / V);
  out[kColumnC][row][j] = std::log(V) / std::log(N);
  out[kColumnE][row][j] = entropy(s);

  const LognormalFit lognormal = lognormalFit(s);
  out[kColumnLognormalMean][row][j] = lognormal.mean;
  out[kColumnLognormalStdDev][row][j] = lognormal.stdDev;

  const double M = logFrequencyMean(s);
  out[kColumnLogMean][row][j] = M;
  out[kColumnLogStdDev][row][j] = logFrequencyStdDev(s, M);
}

void storeFits(int row, int j, const SichelFit& sichel, double zipfSize,
               RunArrays& out) {
  out[kColumnSichelB][row][j] = sichel.b;
  out[kColumnSichelC][row][j] = sichel.c;
  out[kColumnSichelA1][row][j] = sichel.a1;
  out[kColumnZ][row][j] = zipfSize;
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
    const SichelFit sichel = sichelFit(s.N, s.V, s.V1);
    if (sichel.failed) ++run.missing.sichel;
    const double z =
        zipfSize(zipfPstar(context, s), s.N, s.V, &run.missing.zipf, kZipfForm);
    storeFits(row, j, sichel, z, arrays);
  }
  endRun(s);
}

}  // namespace tokshuf
