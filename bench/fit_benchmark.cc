// The Sichel search at counts of the benchmark text: up to three
// evaluations of fz per pass, one, and only where a test's outcome is not
// proven in advance.
#include <benchmark/benchmark.h>

#include "measures/sichel.h"
#include "measures/sichel_skipping_walk.h"

namespace tokshuf {
namespace {

// (N, V, V1) at a few chunk boundaries of the 200,000-token text.
constexpr int kCounts[][3] = {
    {5000, 1919, 1452}, {50000, 9370, 5143}, {200000, 16883, 4469}};

void BM_SichelFit(benchmark::State& state) {
  const int* c = kCounts[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(sichelFit(c[0], c[1], c[2]));
}
BENCHMARK(BM_SichelFit)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_SichelFitSingleEvaluation(benchmark::State& state) {
  const int* c = kCounts[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        sichelFitSkipping(c[0], c[1], c[2], SichelPasses::kEvaluateEach));
  }
}
BENCHMARK(BM_SichelFitSingleEvaluation)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMicrosecond);

void BM_SichelFitSkipping(benchmark::State& state) {
  const int* c = kCounts[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(sichelFitSkipping(c[0], c[1], c[2]));
}
BENCHMARK(BM_SichelFitSkipping)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tokshuf
