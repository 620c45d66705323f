#include "montecarlo/compact_shuffle.h"

#include <algorithm>

namespace tokshuf {
namespace {

constexpr int kPrefetchAhead = 16;

// shufflePartner() without its floor and its test: the product is never
// negative, so truncating it gives the same integer; and a draw of 1.0
// gives the product n - i + 1, which the minimum turns into n - i, the
// last position, as the test does. So the loop over a block of draws is
// straight-line code in doubles, which the compiler vectorises.
int partnerOf(float u, int i, int n) {
  const double range = double(n - i + 1);
  return i + int(std::min(double(u) * range, range - 1.0));
}

// Exchanges order[first + t] with order[partner[t]] for t = 0..count-1, in
// that order.
template <class T>
void exchange(T* order, const int* partner, int first, int count) {
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

void drawPartnerBlock(BlockUniformRandom& generator, int first, int count, int n,
                      int* partner) {
  alignas(64) float u[BlockUniformRandom::kBlock];
  generator.draw(u, count);
  for (int t = 0; t < count; ++t) partner[t] = partnerOf(u[t], first + t, n);
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
  alignas(64) int partner[kBlock];
  for (int first = 1; first <= n - 1; first += kBlock) {
    const int count = std::min(kBlock, n - first);
    // The partners depend on the draws alone; working them out before the
    // exchanges lets the exchanges run back to back.
    drawPartnerBlock(generator, first, count, n, partner);
    exchange(order, partner, first, count);
  }
}

void drawPartners(BlockUniformRandom& generator, int* partner, int n) {
  constexpr int kBlock = BlockUniformRandom::kBlock;
  for (int first = 1; first <= n - 1; first += kBlock) {
    drawPartnerBlock(generator, first, std::min(kBlock, n - first), n, partner + first);
  }
}

template <class T>
void applyPartners(T* order, const int* partner, int n) {
  if (n >= 2) exchange(order, partner + 1, 1, n - 1);
}

template std::vector<std::uint16_t> compactOrderOf(const std::vector<int>&, int);
template std::vector<std::uint32_t> compactOrderOf(const std::vector<int>&, int);
template void shuffleCompact(BlockUniformRandom&, std::uint16_t*, int);
template void shuffleCompact(BlockUniformRandom&, std::uint32_t*, int);
template void applyPartners(std::uint16_t*, const int*, int);
template void applyPartners(std::uint32_t*, const int*, int);

}  // namespace tokshuf
