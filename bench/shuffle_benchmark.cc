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

// The two steps of the fast engine's shuffle apart, for orders of the
// benchmark text's length, of the whole King James Bible's (790,000) and of
// 16 million tokens: the draws and their partners, which any thread can
// make for any run, and the exchanges, which runs make one after another.
void BM_DrawPartners(benchmark::State& state) {
  const int n = int(state.range(0));
  std::vector<int> partner(std::size_t(n) + 1);
  UniformRandom seeded;
  int seed = -1;
  seeded.uniformRandom(&seed);
  BlockUniformRandom generator(seeded.state());
  for (auto _ : state) {
    drawPartners(generator, partner.data(), n);
    benchmark::DoNotOptimize(partner.data());
  }
  state.SetItemsProcessed(state.iterations() * (n - 1));
}
BENCHMARK(BM_DrawPartners)->Arg(200000)->Arg(790000)->Arg(16000000)->Unit(benchmark::kMillisecond);

template <class T>
void BM_ApplyPartners(benchmark::State& state) {
  const int n = int(state.range(0));
  std::vector<int> partner(std::size_t(n) + 1);
  UniformRandom seeded;
  int seed = -1;
  seeded.uniformRandom(&seed);
  BlockUniformRandom generator(seeded.state());
  drawPartners(generator, partner.data(), n);
  std::vector<T> order(std::size_t(n) + 1);
  for (int i = 1; i <= n; ++i) order[i] = T(i % 20000);
  for (auto _ : state) {
    applyPartners(order.data(), partner.data(), n);
    benchmark::DoNotOptimize(order.data());
  }
  state.SetItemsProcessed(state.iterations() * (n - 1));
}
BENCHMARK_TEMPLATE(BM_ApplyPartners, std::uint16_t)
    ->Arg(200000)->Arg(790000)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ApplyPartners, std::uint32_t)
    ->Arg(16000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tokshuf
