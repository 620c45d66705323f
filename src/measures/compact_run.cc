#include "measures/compact_run.h"

namespace tokshuf {
namespace {

void storeFits(int a, int j, const MeasureContext& context,
               CompactRunState& state, RunArrays& out) {
  RunState& run = state.run;
  const WordFreqState& s = run.wf;
  const SichelFit fit = state.sichel.fit(s.curN, s.curV, s.curV1);
  if (fit.failed) ++run.sichelzeros;
  out[Sb_CONST][a][j] = fit.b;
  out[Sc_CONST][a][j] = fit.c;
  out[Sa1_CONST][a][j] = fit.a1;
  out[Z_CONST][a][j] = state.zipf.z(zipfArgument(context, s), s.curN, s.curV,
                                    &run.zipfzeros);
}

void measureChunks(int a, const MeasureContext& context,
                   const std::uint16_t* ORDER, CompactRunState& state,
                   RunArrays& arrays) {
  const Settings& settings = context.settings;
  WordFreqState& s = state.run.wf;
  for (int j = 1; j <= settings.nchunks; ++j) {
    state.spectrum.addChunk(s, ORDER, settings.f_a, settings.f_the,
                            context.CHUNKS[j - 1] + 1, context.CHUNKS[j]);
    s.curN = context.CHUNKS[j];
    storeSpectrumMeasures(a, j, state.run, arrays);
    storeFits(a, j, context, state, arrays);
  }
}

}  // namespace

void measureCompactOrder(int a, const MeasureContext& context,
                         const std::uint16_t* ORDER, CompactRunState& state,
                         RunArrays& arrays) {
  state.spectrum.startRun(state.run.wf);
  try {
    measureChunks(a, context, ORDER, state, arrays);
  } catch (...) {
    // Only the fits throw, and they run after the chunk's spectrum is
    // complete, so the usual clean-up applies.
    state.spectrum.endRun(state.run.wf);
    throw;
  }
  state.spectrum.endRun(state.run.wf);
}

}  // namespace tokshuf
