// The window measures of one run of the 200,000-token text at 40 chunk
// boundaries: the per-run kernel for MATTR, MSTTR and MTLD together and for
// MTLD-MA alone, and the per-prefix reference for all four.
#include <benchmark/benchmark.h>

#include "bench_text.h"
#include "common/chunks.h"
#include "common/limits.h"
#include "measures/window_measure_run.h"
#include "montecarlo/compact_shuffle.h"
#include "montecarlo/permutation.h"

namespace tokshuf {
namespace {

constexpr int kChunks = 40;
constexpr int kTypeLimit = kMaxRank + 1;


void measureRuns(benchmark::State& state, WindowSelection chosen) {
  const int N = bench::benchTokens();
  const CompactOrder order = compactOrder(bench::shuffledBenchText(), N);
  const Chunks chunkEnds = computeChunks(N, kChunks);
  const WindowParameters p;
  WindowMeasureRun run(N, kTypeLimit);
  WindowValues out;
  for (auto _ : state) {
    run.measure(order.data(), N, chunkEnds, kChunks, p, chosen, out);
    benchmark::DoNotOptimize(out);
  }
}

void BM_WindowRunMattrMsttrMtld(benchmark::State& state) {
  measureRuns(state, {WindowMeasure::kMattr, WindowMeasure::kMsttr,
                      WindowMeasure::kMtld});
}
BENCHMARK(BM_WindowRunMattrMsttrMtld)->Unit(benchmark::kMicrosecond);

void BM_WindowRunMtldMa(benchmark::State& state) {
  measureRuns(state, {WindowMeasure::kMtldMa});
}
BENCHMARK(BM_WindowRunMtldMa)->Unit(benchmark::kMillisecond);

void BM_WindowReferenceRun(benchmark::State& state) {
  const std::vector<int> ranks = bench::shuffledBenchText();
  const Chunks chunkEnds = computeChunks(bench::benchTokens(), kChunks);
  const WindowParameters p;
  const WindowMeasure measure = WindowMeasure(state.range(0));
  for (auto _ : state) {
    for (int j = 1; j <= kChunks; ++j) {
      benchmark::DoNotOptimize(windowMeasureOfPrefix(
          measure, ranks.data(), chunkEnds[j], p, kTypeLimit));
    }
  }
}
BENCHMARK(BM_WindowReferenceRun)
    ->DenseRange(0, kWindowMeasureCount - 1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tokshuf
