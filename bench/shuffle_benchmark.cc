// One permutation run's shuffle of the 200,000-token text: 32-bit ranks and
// one draw at a time against 16-bit ranks and blocks of draws.
#include <benchmark/benchmark.h>

#include "bench_text.h"
#include "montecarlo/compact_shuffle.h"
#include "montecarlo/permutation.h"

namespace tokshuf {
namespace {

void BM_ReferenceShuffle(benchmark::State& state) {
  std::vector<int> ranks = bench::benchText();
  const int n = bench::benchTokens();
  UniformRandom generator;
  int seed = -1;
  generator.uniformRandom(&seed);
  for (auto _ : state) {
    randomize(generator, ranks, n);
    benchmark::DoNotOptimize(ranks.data());
  }
  state.SetItemsProcessed(state.iterations() * (n - 1));
}
BENCHMARK(BM_ReferenceShuffle)->Unit(benchmark::kMillisecond);

void BM_CompactShuffle(benchmark::State& state) {
  const int n = bench::benchTokens();
  CompactOrder order = compactOrder(bench::benchText(), n);
  UniformRandom seeded;
  int seed = -1;
  seeded.uniformRandom(&seed);
  BlockUniformRandom generator(seeded.state());
  for (auto _ : state) {
    shuffleCompact(generator, order.data(), n);
    benchmark::DoNotOptimize(order.data());
  }
  state.SetItemsProcessed(state.iterations() * (n - 1));
}
BENCHMARK(BM_CompactShuffle)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tokshuf
