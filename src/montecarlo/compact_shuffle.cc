#include "montecarlo/compact_shuffle.h"

#include <algorithm>


namespace tokshuf {
namespace {

// shufflePartner() without its floor: the product is never negative, so
// truncating it gives the same integer, and the loop over a block of draws
// becomes straight-line code.
int partnerOf(float u, int i, int n) {
  const int k = i + int(double(u) * double(n - i + 1));
  return k > n ? n : k;
}

}  // namespace

CompactOrder compactOrder(const std::vector<int>& ranks, int n) {
  CompactOrder order(std::size_t(n) + 1, 0);
  for (int i = 1; i <= n; ++i) order[i] = std::uint16_t(ranks[i]);
  return order;
}

void shuffleCompact(BlockUniformRandom& generator, std::uint16_t* order,
                    int n) {
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
    for (int t = 0; t < count; ++t) {
      const int i = first + t;
      const std::uint16_t kept = order[i];
      order[i] = order[partner[t]];
      order[partner[t]] = kept;
    }
  }
}

}  // namespace tokshuf
