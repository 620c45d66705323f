#pragma once

#include <array>
#include <cstdint>

#include "montecarlo/philox.h"

namespace tokshuf {

// The random stream of permutation run p under the seed S. Its layout is
// what anyone reproducing a run relies on, so it must never change:
//
//   key      k0 = S mod 2^32,  k1 = S div 2^32
//   block b  philox4x32 of the counter (b = 0, 1, 2, ... within the run)
//              c0 = b mod 2^32,  c1 = b div 2^32,
//              c2 = p mod 2^32,  c3 = p div 2^32
//   stream   the outputs x0, x1, x2, x3 of block 0, then those of
//            block 1, and so on.
//
// Runs differ in the counter's upper half, so no two runs share a block:
// each run's stream can be computed on its own, by any thread, in any
// order of runs.
class SeededRunStream {
 public:
  SeededRunStream(std::uint64_t seed, std::uint64_t run);

  // The next 32-bit output of the stream.
  std::uint32_t next() {
    if (position_ == kBuffered) [[unlikely]] {
      refill();
    }
    return buffer_[position_++];
  }

  // Uniform in 0..range-1, for range >= 1, by Lemire's multiply and reject
  // (ACM TOMACS 29(1), 2019): the high half of next() * range, drawn again
  // while the low half is one of the 2^32 mod range values that would make
  // some results one draw more likely than others. Only a low half below
  // range can be such a value, so the division is rarely needed.
  std::uint32_t below(std::uint32_t range) {
    std::uint64_t product = std::uint64_t(next()) * range;
    if (std::uint32_t(product) < range) [[unlikely]] {
      product = redrawBiased(product, range);
    }
    return std::uint32_t(product >> 32);
  }

 private:
  // Blocks computed at a time: enough that the generator runs over many
  // counters at once, little enough that a short run does not pay for
  // outputs it never uses.
  static constexpr int kBufferedBlocks = 64;
  static constexpr int kBuffered = 4 * kBufferedBlocks;

  void refill();
  std::uint64_t redrawBiased(std::uint64_t product, std::uint32_t range);

  PhiloxKey key_;
  std::uint64_t run_;
  std::uint64_t nextBlock_ = 0;
  int position_ = kBuffered;
  alignas(64) std::array<std::uint32_t, kBuffered> buffer_;
};

// Forward Fisher-Yates over order[1..n] (order[0] is not touched) from
// the stream of the run: for i = 1 .. n-1 in turn, k = i + below(n - i + 1)
// and order[i] and order[k] are exchanged. All three functions give the
// same order, byte for byte; each is instantiated for int, std::uint16_t
// and std::uint32_t.
//
// shuffleSeededReference() is the plain loop. shuffleSeededAhead() works
// out the partners of a block of positions while the block before it is
// exchanged, prefetching their elements: in orders larger than the caches
// the exchanges are cache misses, and this lets them overlap. On orders
// that stay in cache that only adds work, so shuffleSeeded() chooses
// between the two by the size of the order.
template <class T>
void shuffleSeeded(std::uint64_t seed, std::uint64_t run, T* order, int n);

template <class T>
void shuffleSeededReference(std::uint64_t seed, std::uint64_t run, T* order,
                            int n);

template <class T>
void shuffleSeededAhead(std::uint64_t seed, std::uint64_t run, T* order,
                        int n);

}  // namespace tokshuf
