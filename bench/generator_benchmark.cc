// The uniform generator: one draw at a time against blocks of draws.
#include <benchmark/benchmark.h>

#include <vector>

#include "montecarlo/block_uniform_random.h"
#include "montecarlo/uniform_random.h"

namespace tokshuf {
namespace {

constexpr int kDraws = 1 << 16;

void BM_ReferenceDraws(benchmark::State& state) {
  UniformRandom generator;
  int seed = -1;
  generator.uniformRandom(&seed);
  for (auto _ : state) {
    double sum = 0.0;
    for (int i = 0; i < kDraws; ++i) sum += generator.uniformRandom(&seed);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kDraws);
}
BENCHMARK(BM_ReferenceDraws);

void BM_BlockDraws(benchmark::State& state) {
  UniformRandom seeded;
  int seed = -1;
  seeded.uniformRandom(&seed);
  BlockUniformRandom generator(seeded.state());
  std::vector<float> values(kDraws);
  for (auto _ : state) {
    generator.draw(values.data(), kDraws);
    benchmark::DoNotOptimize(values.data());
  }
  state.SetItemsProcessed(state.iterations() * kDraws);
}
BENCHMARK(BM_BlockDraws);

}  // namespace
}  // namespace tokshuf
