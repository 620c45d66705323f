#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace tokshuf {

// An unsigned integer in the same order as the finite double value; -0.0
// and 0.0, being equal, get the same key.
inline std::uint64_t orderKey(double value) {
  // Adding 0.0 turns -0.0 into 0.0 and leaves every other value as it is.
  const auto bits = std::bit_cast<std::uint64_t>(value + 0.0);
  constexpr std::uint64_t kSign = std::uint64_t(1) << 63;
  // Negative values grow as their magnitude bits shrink.
  return (bits & kSign) != 0 ? ~bits : bits | kSign;
}

struct KeyedCurve {
  std::uint64_t key;
  int curve;
};

// Sets sorted to the pairs (keys[i], i) for i in 0..n-1, ascending by key.
// scratch is room to work in; both are resized to n.
void sortCurvesByKey(const std::uint64_t* keys, int n,
                     std::vector<KeyedCurve>& sorted,
                     std::vector<KeyedCurve>& scratch);

}  // namespace tokshuf
