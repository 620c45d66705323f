#include "montecarlo/seeded_shuffle.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace tokshuf {
namespace {

// Positions whose partners are worked out together. The partners of the
// next block are drawn, and their elements prefetched, while this block's
// exchanges wait for theirs, so a block is about as many positions as the
// memory system has misses in flight.
constexpr int kPartnerBlock = 32;

// Below this size an order stays in a core's second-level cache, where
// the exchanges hit and drawing the partners ahead only adds work. On a
// machine with 2 MiB of it per core, drawing ahead took an eighth longer
// on an order of 0.8 MB, as long on 2 MB, a sixth less time on 4 MB and
// a third less on 64 MB; smaller caches are common, so the bound is set
// below where the two met there.
constexpr std::size_t kAheadFromBytes = std::size_t(1) << 20;

std::uint32_t lowHalf(std::uint64_t x) { return std::uint32_t(x); }
std::uint32_t highHalf(std::uint64_t x) { return std::uint32_t(x >> 32); }

int partnerOf(SeededRunStream& stream, int i, int n) {
  return i + int(stream.below(std::uint32_t(n - i + 1)));
}

template <class T>
void drawPartners(SeededRunStream& stream, int first, int count, int n,
                  const T* order, int* partner) {
  for (int t = 0; t < count; ++t) {
    partner[t] = partnerOf(stream, first + t, n);
    __builtin_prefetch(order + partner[t], 1);
  }
}

template <class T>
void exchange(T* order, int first, int count, const int* partner) {
  for (int t = 0; t < count; ++t) {
    std::swap(order[first + t], order[partner[t]]);
  }
}

}  // namespace

SeededRunStream::SeededRunStream(std::uint64_t seed, std::uint64_t run)
    : key_{lowHalf(seed), highHalf(seed)}, run_(run) {}

void SeededRunStream::refill() {
  philox4x32Blocks(nextBlock_, run_, key_, kBufferedBlocks, buffer_.data());
  nextBlock_ += kBufferedBlocks;
  position_ = 0;
}

std::uint64_t SeededRunStream::redrawBiased(std::uint64_t product,
                                            std::uint32_t range) {
  // 2^32 mod range, in 32-bit arithmetic where -range is 2^32 - range.
  const std::uint32_t biased = (0u - range) % range;
  while (lowHalf(product) < biased) product = std::uint64_t(next()) * range;
  return product;
}

template <class T>
void shuffleSeeded(std::uint64_t seed, std::uint64_t run, T* order, int n) {
  if (n < 2) return;
  if (std::size_t(n) * sizeof(T) < kAheadFromBytes) {
    shuffleSeededReference(seed, run, order, n);
  } else {
    shuffleSeededAhead(seed, run, order, n);
  }
}

template <class T>
void shuffleSeededReference(std::uint64_t seed, std::uint64_t run, T* order,
                            int n) {
  SeededRunStream stream(seed, run);
  for (int i = 1; i <= n - 1; ++i) {
    std::swap(order[i], order[partnerOf(stream, i, n)]);
  }
}

template <class T>
void shuffleSeededAhead(std::uint64_t seed, std::uint64_t run, T* order,
                        int n) {
  SeededRunStream stream(seed, run);
  alignas(64) int partners[2][kPartnerBlock];
  int first = 1;
  int count = std::min(kPartnerBlock, n - first);
  if (count <= 0) return;
  drawPartners(stream, first, count, n, order, partners[0]);
  for (int current = 0; count > 0; current ^= 1) {
    const int next = first + count;
    const int nextCount = std::min(kPartnerBlock, n - next);
    if (nextCount > 0) {
      drawPartners(stream, next, nextCount, n, order, partners[current ^ 1]);
    }
    exchange(order, first, count, partners[current]);
    first = next;
    count = nextCount;
  }
}

template void shuffleSeeded(std::uint64_t, std::uint64_t, int*, int);
template void shuffleSeeded(std::uint64_t, std::uint64_t, std::uint16_t*, int);
template void shuffleSeeded(std::uint64_t, std::uint64_t, std::uint32_t*, int);
template void shuffleSeededReference(std::uint64_t, std::uint64_t, int*, int);
template void shuffleSeededReference(std::uint64_t, std::uint64_t,
                                     std::uint16_t*, int);
template void shuffleSeededReference(std::uint64_t, std::uint64_t,
                                     std::uint32_t*, int);
template void shuffleSeededAhead(std::uint64_t, std::uint64_t, int*, int);
template void shuffleSeededAhead(std::uint64_t, std::uint64_t, std::uint16_t*,
                                 int);
template void shuffleSeededAhead(std::uint64_t, std::uint64_t, std::uint32_t*,
                                 int);

}  // namespace tokshuf
