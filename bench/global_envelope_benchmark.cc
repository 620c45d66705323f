// The global rank envelope test of one measure at the largest size it
// meets: the text and 5000 permutation runs at 40 chunk boundaries. The
// values imitate three kinds of measure: a count such as V, whose runs tie
// often, a small count such as V5 with a handful of values at each
// boundary, and a continuous one such as K. At the last boundary every run
// holds the whole text, so all values there are equal. Also the combined
// test over 38 measures.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "montecarlo/combined_global_test.h"
#include "montecarlo/global_envelope.h"

namespace tokshuf {
namespace {

constexpr int kCurves = 5001;
constexpr int kChunks = 40;
constexpr int kMeasures = 38;

enum Measure { kCount, kSmallCount, kContinuous };

RunArray measureRuns(Measure measure, unsigned seed) {
  std::mt19937_64 random(seed);
  std::normal_distribution<double> noise;
  RunArray runs(kCurves);
  for (int i = 0; i < kCurves; ++i) {
    for (int j = 1; j <= kChunks; ++j) {
      // The spread shrinks towards the end, where it vanishes.
      const double spread = double(kChunks - j) / kChunks;
      const double deviation = spread * noise(random);
      if (measure == kCount) {
        runs[i][j] = 500.0 * j + std::round(12.0 * deviation);
      } else if (measure == kSmallCount) {
        runs[i][j] = std::round(0.2 * j + 1.5 * deviation);
      } else {
        runs[i][j] = 110.0 - j + 3.0 * deviation;
      }
    }
  }
  return runs;
}

void BM_GlobalRankEnvelope(benchmark::State& state) {
  const RunArray runs = measureRuns(Measure(state.range(0)), 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        globalRankEnvelope(runs, kCurves, kChunks, false, 95));
  }
}
BENCHMARK(BM_GlobalRankEnvelope)
    ->Arg(kCount)
    ->Arg(kSmallCount)
    ->Arg(kContinuous)
    ->Unit(benchmark::kMillisecond);

void BM_CombinedGlobalP(benchmark::State& state) {
  std::vector<GlobalEnvelope> envelopes;
  for (int m = 0; m < kMeasures; ++m) {
    const RunArray runs = measureRuns(Measure(m % 3), m);
    envelopes.push_back(globalRankEnvelope(runs, kCurves, kChunks, false, 95));
  }
  std::vector<const GlobalEnvelope*> measures;
  for (const GlobalEnvelope& envelope : envelopes) {
    measures.push_back(&envelope);
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(combinedGlobalP(measures, kCurves));
  }
}
BENCHMARK(BM_CombinedGlobalP)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tokshuf
