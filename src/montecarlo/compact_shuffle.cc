#include "montecarlo/compact_shuffle.h"

#include <algorithm>


namespace tokshuf {
namespace {

constexpr int kPrefetchAhead = 16;

// shufflePartner() without its floor: the product is never negative, so
// truncating it gives the same integer, and the loop over a block of draws
// becomes straight-line code.
int partnerOf(float u, int i, int n) {
  const int k = i + int(double(u) * double(n - i + 1));
  return k > n ? n : k;
}

}  // namespace

template <class T>
std::vector<T> compactOrderOf(const std::vector<int>& ranks, int n) {
  std::vector<T> order(std::size_t(n) + 1, 0);
  for (int i = 1; i <= n; ++i) order[i] = T(ranks[i]);
  return order;
}

template <class T>
void shuffleCompact(BlockUniformRandom& generator, T* order, int n) {
  constexpr int kBlock = BlockUniformRandom::kBlock;
  alignas(64) float u[kBlock];
  alignas(64) int partner[kBlock];
  for (int first = 1; first <= n - 1; first += kBlock) {
    const int count = std::min(kBlock, n - first);
    generator.draw(u, count);
    // The partners depend on the draws alone; working them out before the
    // exchanges lets the exchanges run back to back.
    for (int t = 0; t < count; ++t) {
      partner[t] = partnerOf(u[t], first + t, n);
    }
    // In a text of millions of tokens most partners lie outside the caches;
    // asking for them a few exchanges ahead overlaps those misses.
    for (int t = 0; t < std::min(count, kPrefetchAhead); ++t) {
      __builtin_prefetch(order + partner[t], 1);
    }
    for (int t = 0; t < count; ++t) {
      if (t + kPrefetchAhead < count) __builtin_prefetch(order + partner[t + kPrefetchAhead], 1);
      const int i = first + t;
      const T kept = order[i];
      order[i] = order[partner[t]];
      order[partner[t]] = kept;
    }
  }
}

template std::vector<std::uint16_t> compactOrderOf(const std::vector<int>&, int);
template std::vector<std::uint32_t> compactOrderOf(const std::vector<int>&, int);
template void shuffleCompact(BlockUniformRandom&, std::uint16_t*, int);
template void shuffleCompact(BlockUniformRandom&, std::uint32_t*, int);

}  // namespace tokshuf
