// The word-frequency state over one run of the 200,000-token text at 40
// chunk boundaries: rebuilding the spectrum at every boundary against
// keeping it up to date token by token. Also one whole measured run, both
// ways.
#include <benchmark/benchmark.h>

#include "bench_text.h"
#include "common/chunks.h"
#include "measures/compact_run.h"
#include "measures/spectrum.h"
#include "montecarlo/compact_shuffle.h"
#include "montecarlo/permutation.h"

namespace tokshuf {
namespace {

constexpr int kChunks = 40;


void BM_ReferenceSpectrum(benchmark::State& state) {
  const std::vector<int> ranks = bench::shuffledBenchText();
  const Chunks chunkEnds = computeChunks(bench::benchTokens(), kChunks);
  WordFreqState s;
  for (auto _ : state) {
    for (int j = 1; j <= kChunks; ++j) {
      addChunkAndRebuild(s, ranks, 4, 1, chunkEnds[j - 1] + 1, chunkEnds[j]);
      benchmark::DoNotOptimize(s.frequencyCount);
    }
    endRun(s);
    s.fa = s.fthe = 0;
  }
}
BENCHMARK(BM_ReferenceSpectrum)->Unit(benchmark::kMicrosecond);

void BM_IncrementalSpectrum(benchmark::State& state) {
  const CompactOrder order = compactOrder(bench::shuffledBenchText(), bench::benchTokens());
  const Chunks chunkEnds = computeChunks(bench::benchTokens(), kChunks);
  IncrementalSpectrum spectrum;
  for (auto _ : state) {
    spectrum.startRun();
    for (int j = 1; j <= kChunks; ++j) {
      spectrum.addChunk(order.data(), 4, 1, chunkEnds[j - 1] + 1, chunkEnds[j]);
      benchmark::DoNotOptimize(spectrum.spectrum().frequencyCount);
    }
    spectrum.endRun();
  }
}
BENCHMARK(BM_IncrementalSpectrum)->Unit(benchmark::kMicrosecond);

struct MeasuredRun {
  MeasuredRun()
      : ranks(bench::shuffledBenchText()),
        chunkEnds(computeChunks(bench::benchTokens(), kChunks)),
        context{settings, chunkEnds, bench::benchTokens(), 0},
        arrays(1) {
    settings.nchunks = kChunks;
  }
  Settings settings;
  std::vector<int> ranks;
  Chunks chunkEnds;
  MeasureContext context;
  RunArrays arrays;
};

void BM_ReferenceMeasuredRun(benchmark::State& state) {
  MeasuredRun m;
  RunState run;
  for (auto _ : state) measureTokenOrder(1, m.context, m.ranks, run, m.arrays);
}
BENCHMARK(BM_ReferenceMeasuredRun)->Unit(benchmark::kMillisecond);

void BM_CompactMeasuredRun(benchmark::State& state) {
  MeasuredRun m;
  const CompactOrder order = compactOrder(m.ranks, bench::benchTokens());
  CompactRunState run;
  for (auto _ : state)
    measureCompactOrder(1, m.context, order.data(), run, m.arrays);
}
BENCHMARK(BM_CompactMeasuredRun)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tokshuf
