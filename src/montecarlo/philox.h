#pragma once

#include <array>
#include <cstdint>

namespace tokshuf {

// Philox4x32-10, the counter-based generator of Salmon, Moraes, Dror and
// Shaw (2011): a keyed bijection of 128-bit counters, ten rounds of two
// 32 x 32 -> 64-bit multiplications each. Any output can be computed
// without the ones before it, which is what lets any thread compute any
// permutation run. Words are numbered as in the authors' known answers.
using PhiloxCounter = std::array<std::uint32_t, 4>;
using PhiloxKey = std::array<std::uint32_t, 2>;

PhiloxCounter philox4x32(PhiloxCounter counter, PhiloxKey key);

// The outputs of count consecutive counters, as count calls of philox4x32()
// would give them, computed several counters at a time (eight at a time
// where the processor has AVX2, chosen when the program runs; the
// arithmetic is integer, so the words are the same everywhere). Counter j
// has the 64-bit number first + j in (c0, c1), c0 its low half, and high in
// (c2, c3), c2 its low half. out receives 4 * count words, counter by
// counter, each counter's words in the order c0..c3.
void philox4x32Blocks(std::uint64_t first, std::uint64_t high, PhiloxKey key,
                      int count, std::uint32_t* out);

}  // namespace tokshuf
