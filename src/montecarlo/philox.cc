#include "montecarlo/philox.h"

#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tokshuf {
namespace {

constexpr std::uint32_t kMultiplier0 = 0xD2511F53;
constexpr std::uint32_t kMultiplier1 = 0xCD9E8D57;
// Key increments between rounds: the fractional parts of the golden ratio
// and of the square root of 3.
constexpr std::uint32_t kWeyl0 = 0x9E3779B9;
constexpr std::uint32_t kWeyl1 = 0xBB67AE85;
constexpr int kRounds = 10;

std::uint32_t lowHalf(std::uint64_t x) { return std::uint32_t(x); }
std::uint32_t highHalf(std::uint64_t x) { return std::uint32_t(x >> 32); }

PhiloxCounter oneRound(const PhiloxCounter& c, const PhiloxKey& key) {
  const std::uint64_t product0 = std::uint64_t(kMultiplier0) * c[0];
  const std::uint64_t product1 = std::uint64_t(kMultiplier1) * c[2];
  return {highHalf(product1) ^ c[1] ^ key[0], lowHalf(product1),
          highHalf(product0) ^ c[3] ^ key[1], lowHalf(product0)};
}

PhiloxKey bump(const PhiloxKey& key) {
  return {key[0] + kWeyl0, key[1] + kWeyl1};
}

#if defined(__x86_64__)

// With AVX2, eight counters at a time, four to a register, a counter word
// in the low half of a 64-bit lane. The high halves are never read, since
// _mm256_mul_epu32 multiplies low halves alone: a round's products serve
// as the next words as they are, the low words in place and the high ones
// one shift away, and nothing has to be sorted back into 32-bit slots
// until the end. Same integer arithmetic, same words.
constexpr int kWideCounters = 8;

struct WideCounters {
  __m256i c0, c1, c2, c3;
};

[[gnu::target("avx2")]] WideCounters wideCounters(std::uint64_t first,
                                                  std::uint64_t high) {
  const __m256i b = _mm256_add_epi64(_mm256_set1_epi64x(first),
                                     _mm256_set_epi64x(3, 2, 1, 0));
  return {b, _mm256_srli_epi64(b, 32), _mm256_set1_epi64x(lowHalf(high)),
          _mm256_set1_epi64x(highHalf(high))};
}

[[gnu::target("avx2")]] __m256i xor3(__m256i a, __m256i b, __m256i c) {
  return _mm256_xor_si256(_mm256_xor_si256(a, b), c);
}

[[gnu::target("avx2")]] void wideRound(WideCounters& c, __m256i key0,
                                       __m256i key1) {
  const __m256i product0 =
      _mm256_mul_epu32(c.c0, _mm256_set1_epi64x(kMultiplier0));
  const __m256i product1 =
      _mm256_mul_epu32(c.c2, _mm256_set1_epi64x(kMultiplier1));
  c.c0 = xor3(_mm256_srli_epi64(product1, 32), c.c1, key0);
  c.c1 = product1;
  c.c2 = xor3(_mm256_srli_epi64(product0, 32), c.c3, key1);
  c.c3 = product0;
}

// Counters 0..3 of the register as 16 words, counter by counter. The
// unpacks work within 128-bit halves, which hold counters 0 and 1, 2 and
// 3; they leave counters 0 | 2 in one register and 1 | 3 in the other.
[[gnu::target("avx2")]] void storeWide(const WideCounters& c,
                                       std::uint32_t* out) {
  const __m256i evens = _mm256_unpacklo_epi64(
      _mm256_unpacklo_epi32(c.c0, c.c1), _mm256_unpacklo_epi32(c.c2, c.c3));
  const __m256i odds = _mm256_unpacklo_epi64(_mm256_unpackhi_epi32(c.c0, c.c1),
                                             _mm256_unpackhi_epi32(c.c2, c.c3));
  auto* wide = reinterpret_cast<__m256i*>(out);
  _mm256_storeu_si256(wide, _mm256_permute2x128_si256(evens, odds, 0x20));
  _mm256_storeu_si256(wide + 1, _mm256_permute2x128_si256(evens, odds, 0x31));
}

// count a multiple of kWideCounters.
[[gnu::target("avx2")]] void wideBlocks(std::uint64_t first, std::uint64_t high,
                                        PhiloxKey key, int count,
                                        std::uint32_t* out) {
  for (int j = 0; j < count; j += kWideCounters) {
    WideCounters a = wideCounters(first + j, high);
    WideCounters b = wideCounters(first + j + 4, high);
    PhiloxKey k = key;
    for (int r = 0; r < kRounds; ++r) {
      if (r > 0) k = bump(k);
      const __m256i key0 = _mm256_set1_epi64x(k[0]);
      const __m256i key1 = _mm256_set1_epi64x(k[1]);
      wideRound(a, key0, key1);
      wideRound(b, key0, key1);
    }
    storeWide(a, out + 4 * j);
    storeWide(b, out + 4 * j + 16);
  }
}

// How many of count counters to leave to wideBlocks().
int wideCount(int count) {
  static const bool hasAvx2 = __builtin_cpu_supports("avx2");
  return hasAvx2 ? count - count % kWideCounters : 0;
}

#endif

}  // namespace

PhiloxCounter philox4x32(PhiloxCounter counter, PhiloxKey key) {
  counter = oneRound(counter, key);
  for (int r = 1; r < kRounds; ++r) {
    key = bump(key);
    counter = oneRound(counter, key);
  }
  return counter;
}

void philox4x32Blocks(std::uint64_t first, std::uint64_t high, PhiloxKey key,
                      int count, std::uint32_t* out) {
  int j = 0;
#if defined(__x86_64__)
  j = wideCount(count);
  wideBlocks(first, high, key, j, out);
#endif
  for (; j < count; ++j) {
    const std::uint64_t b = first + j;
    const PhiloxCounter block = philox4x32(
        {lowHalf(b), highHalf(b), lowHalf(high), highHalf(high)}, key);
    std::copy(block.begin(), block.end(), out + 4 * j);
  }
}

}  // namespace tokshuf
