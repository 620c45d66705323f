// One seeded permutation run: the plain loop against partners drawn a
// block ahead and prefetched, and shuffleSeeded()'s choice between them,
// on the 200,000-token text and on an order of 16,000,000 tokens, far
// larger than a core's own caches.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "bench_text.h"
#include "montecarlo/seeded_shuffle.h"

namespace tokshuf {
namespace {

constexpr std::uint64_t kSeed = 20240611;
constexpr int kLargeTokens = 16'000'000;

// Each iteration is another run, so the exchanges do not repeat.
template <class T>
void shuffleRuns(benchmark::State& state, std::vector<T>& order,
                 void (*shuffle)(std::uint64_t, std::uint64_t, T*, int)) {
  const int n = int(order.size()) - 1;
  std::uint64_t run = 0;
  for (auto _ : state) {
    shuffle(kSeed, ++run, order.data(), n);
    benchmark::DoNotOptimize(order.data());
  }
  state.SetItemsProcessed(state.iterations() * (n - 1));
}

void BM_SeededTextReference(benchmark::State& state) {
  std::vector<int> order = bench::benchText();
  shuffleRuns(state, order, shuffleSeededReference<int>);
}
BENCHMARK(BM_SeededTextReference)->Unit(benchmark::kMillisecond);

void BM_SeededTextAhead(benchmark::State& state) {
  std::vector<int> order = bench::benchText();
  shuffleRuns(state, order, shuffleSeededAhead<int>);
}
BENCHMARK(BM_SeededTextAhead)->Unit(benchmark::kMillisecond);

void BM_SeededText(benchmark::State& state) {
  std::vector<int> order = bench::benchText();
  shuffleRuns(state, order, shuffleSeeded<int>);
}
BENCHMARK(BM_SeededText)->Unit(benchmark::kMillisecond);

std::vector<std::uint32_t> largeOrder() {
  std::vector<std::uint32_t> order(std::size_t(kLargeTokens) + 1);
  std::iota(order.begin(), order.end(), 0u);
  return order;
}

void BM_SeededLargeReference(benchmark::State& state) {
  std::vector<std::uint32_t> order = largeOrder();
  shuffleRuns(state, order, shuffleSeededReference<std::uint32_t>);
}
BENCHMARK(BM_SeededLargeReference)->Unit(benchmark::kMillisecond);

void BM_SeededLarge(benchmark::State& state) {
  std::vector<std::uint32_t> order = largeOrder();
  shuffleRuns(state, order, shuffleSeeded<std::uint32_t>);
}
BENCHMARK(BM_SeededLarge)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tokshuf
