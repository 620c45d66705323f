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
  const double N = s.curN;
  const double V = s.curV;

  out[A_FREQ][a][j] = s.freq_a;
  out[THE_FREQ][a][j] = s.freq_the;
  out[K_CONST][a][j] = getK2(s.maantal, s.VM, s.MLIJST, s.curN);
  out[D_CONST][a][j] = getD2(s.maantal, s.VM, s.MLIJST, s.curN);
  out[V_CONST][a][j] = s.curV;
  out[V1_CONST][a][j] = s.curV1;
  out[V2_CONST][a][j] = s.curV2;
  out[V3_CONST][a][j] = s.curV3;
  out[V4_CONST][a][j] = s.curV4;
  out[V5_CONST][a][j] = s.curV5;
  out[R_CONST][a][j] = V / std::sqrt(N);
  out[W_CONST][a][j] = std::exp(std::exp(-0.17 * std::log(V)) * std::log(N));
  out[S_CONST][a][j] = double(s.curV2) / V;
  out[H_CONST][a][j] = 100.0 * std::log(N) / (1.0 - double(s.curV1) / V);
  out[C_CONST][a][j] = std::log(V) / std::log(N);
  out[E_CONST][a][j] = getE2(s.maantal, s.VM, s.MLIJST, s.curN);

  lognormal2(s.maantal, run.PVM, s.VM, s.MLIJST, s.curN, &run.smean,
             &run.sstdev);
  out[SMEAN_CONST][a][j] = run.smean;
  out[SSTDEV_CONST][a][j] = run.sstdev;

  const double M = getlogMean2(s.maantal, s.VM, s.MLIJST, s.curV);
  out[logM_CONST][a][j] = M;
  out[logSt_CONST][a][j] = getlogStdDev2(M, s.maantal, s.VM, s.MLIJST, s.curV);
}

double zipfArgument(const MeasureContext& context, const WordFreqState& s) {
  return context.settings.useGlobalMmax == 1
             ? double(context.gmMax) / double(context.N)
             : double(s.mMax) / double(s.curN);
}

namespace {

void storeChunkMeasures(int a, int j, const MeasureContext& context,
                        RunState& run, RunArrays& out) {
  storeSpectrumMeasures(a, j, run, out);

  SichelParam(run);
  out[Sb_CONST][a][j] = run.cur_b;
  out[Sc_CONST][a][j] = run.cur_c;
  out[Sa1_CONST][a][j] = run.cur_a1;

  out[Z_CONST][a][j] = getZ(zipfArgument(context, run.wf), run.wf.curN,
                            run.wf.curV, &run.zipfzeros, kZipfForm);
}

}  // namespace

void constants(int a, const MeasureContext& context,
               const std::vector<int>& TEXT, RunState& run,
               RunArrays& arrays) {
  const Settings& settings = context.settings;
  run.wf.freq_a = 0;
  run.wf.freq_the = 0;
  run.wf.typenaantal = 0;
  for (int j = 1; j <= settings.nchunks; ++j) {
    spectrum(run.wf, TEXT, settings.f_a, settings.f_the,
             context.CHUNKS[j - 1] + 1, context.CHUNKS[j]);
    run.wf.curN = context.CHUNKS[j];
    storeChunkMeasures(a, j, context, run, arrays);
  }
  endRun(run.wf);
}

}  // namespace tokshuf
