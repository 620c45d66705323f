#include "montecarlo/philox.h"

#include <algorithm>

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
  for (int j = 0; j < count; ++j) {
    const std::uint64_t b = first + j;
    const PhiloxCounter block = philox4x32(
        {lowHalf(b), highHalf(b), lowHalf(high), highHalf(high)}, key);
    std::copy(block.begin(), block.end(), out + 4 * j);
  }
}

}  // namespace tokshuf
