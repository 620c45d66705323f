#include "measures/compact_run.h"

namespace tokshuf {
namespace {

void storeFits(int a, int j, const MeasureContext& context,
               CompactRunState& state, RunArrays& out) {
  RunState& run = state.run;
  const WordFreqState& s = run.wf;
  const SichelFit fit = state.sichel.fit(s.N, s.V, s.V1);
  if (fit.failed) ++run.missingSichelFits;
  out[kColumnSichelB][a][j] = fit.b;
  out[kColumnSichelC][a][j] = fit.c;
  out[kColumnSichelA1][a][j] = fit.a1;
  out[kColumnZ][a][j] =
      state.zipf.z(zipfPstar(context, s), s.N, s.V, &run.missingZipfFits);
}

void measureChunks(int a, const MeasureContext& context,
                   const std::uint16_t* order, CompactRunState& state,
                   RunArrays& arrays) {
  const Settings& settings = context.settings;
  WordFreqState& s = state.run.wf;
  for (int j = 1; j <= settings.nchunks; ++j) {
    state.spectrum.addChunk(s, order, settings.rankA, settings.rankThe,
                            context.chunkEnds[j - 1] + 1, context.chunkEnds[j]);
    s.N = context.chunkEnds[j];
    storeSpectrumMeasures(a, j, state.run, arrays);
    storeFits(a, j, context, state, arrays);
  }
}

}  // namespace

void measureCompactOrder(int a, const MeasureContext& context,
                         const std::uint16_t* order, CompactRunState& state,
                         RunArrays& arrays) {
  state.spectrum.startRun(state.run.wf);
  try {
    measureChunks(a, context, order, state, arrays);
  } catch (...) {
    // Only the fits throw, and they run after the chunk's spectrum is
    // complete, so the usual clean-up applies.
    state.spectrum.endRun(state.run.wf);
    throw;
  }
  state.spectrum.endRun(state.run.wf);
}

}  // namespace tokshuf
