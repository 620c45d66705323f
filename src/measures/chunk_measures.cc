#include "measures/chunk_measures.h"

#include <cmath>

#include "measures/lognormal.h"
#include "measures/sichel.h"
#include "measures/spectrum.h"
#include "measures/spectrum_measures.h"
#include "measures/zipf.h"

namespace tokshuf {

void storeSpectrumMeasures(int a, int j, RunState& run, RunArrays& out) {
  const WordFreqState& s = run.wf;
  const double N = s.N;
  const double V = s.V;

  out[kColumnFa][a][j] = s.fa;
  out[kColumnFthe][a][j] = s.fthe;
  out[kColumnK][a][j] = yuleK(s.frequencyCount, s.VM, s.frequencies, s.N);
  out[kColumnD][a][j] = simpsonD(s.frequencyCount, s.VM, s.frequencies, s.N);
  out[kColumnV][a][j] = s.V;
  out[kColumnV1][a][j] = s.V1;
  out[kColumnV2][a][j] = s.V2;
  out[kColumnV3][a][j] = s.V3;
  out[kColumnV4][a][j] = s.V4;
  out[kColumnV5][a][j] = s.V5;
  out[kColumnR][a][j] = V / std::sqrt(N);
  out[kColumnW][a][j] = std::exp(std::exp(-0.17 * std::log(V)) * std::log(N));
  out[kColumnS][a][j] = double(s.V2) / V;
  out[kColumnH][a][j] = 100.0 * std::log(N) / (1.0 - double(s.V1) / V);
  out[kColumnC][a][j] = std::log(V) / std::log(N);
  out[kColumnE][a][j] = entropy(s.frequencyCount, s.VM, s.frequencies, s.N);

  lognormalFit(s.frequencyCount, run.logShares, s.VM, s.frequencies, s.N,
               &run.lognormalMean, &run.lognormalStdDev);
  out[kColumnLognormalMean][a][j] = run.lognormalMean;
  out[kColumnLognormalStdDev][a][j] = run.lognormalStdDev;

  const double M = logFrequencyMean(s.frequencyCount, s.VM, s.frequencies, s.V);
  out[kColumnLogMean][a][j] = M;
  out[kColumnLogStdDev][a][j] =
      logFrequencyStdDev(M, s.frequencyCount, s.VM, s.frequencies, s.V);
}

double zipfPstar(const MeasureContext& context, const WordFreqState& s) {
  return context.settings.globalPstar
             ? double(context.rankOneCount) / double(context.N)
             : double(s.mMax) / double(s.N);
}

namespace {

void storeChunkMeasures(int a, int j, const MeasureContext& context,
                        RunState& run, RunArrays& out) {
  storeSpectrumMeasures(a, j, run, out);

  fitSichel(run);
  out[kColumnSichelB][a][j] = run.sichelB;
  out[kColumnSichelC][a][j] = run.sichelC;
  out[kColumnSichelA1][a][j] = run.sichelA1;

  out[kColumnZ][a][j] = zipfSize(zipfPstar(context, run.wf), run.wf.N, run.wf.V,
                                 &run.missingZipfFits, kZipfForm);
}

}  // namespace

void measureTokenOrder(int a, const MeasureContext& context,
                       const std::vector<int>& ranks, RunState& run,
                       RunArrays& arrays) {
  const Settings& settings = context.settings;
  run.wf.fa = 0;
  run.wf.fthe = 0;
  run.wf.typeCount = 0;
  for (int j = 1; j <= settings.nchunks; ++j) {
    addChunkAndRebuild(run.wf, ranks, settings.rankA, settings.rankThe,
                       context.chunkEnds[j - 1] + 1, context.chunkEnds[j]);
    run.wf.N = context.chunkEnds[j];
    storeChunkMeasures(a, j, context, run, arrays);
  }
  endRun(run.wf);
}

}  // namespace tokshuf
