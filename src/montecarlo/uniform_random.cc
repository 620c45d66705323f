#include "montecarlo/uniform_random.h"

namespace tokshuf {
namespace {

// Modulus, multiplier and increment of the three generators.
constexpr std::int32_t kModulus1 = 259200, kMultiplier1 = 7141,
                       kIncrement1 = 54773;
constexpr std::int32_t kModulus2 = 134456, kMultiplier2 = 8121,
                       kIncrement2 = 28411;
constexpr std::int32_t kModulus3 = 243000, kMultiplier3 = 4561,
                       kIncrement3 = 51349;
constexpr int kTableSize = 97;

std::int32_t next1(std::int32_t x) {
  return (kMultiplier1 * x + kIncrement1) % kModulus1;
}
std::int32_t next2(std::int32_t x) {
  return (kMultiplier2 * x + kIncrement2) % kModulus2;
}
std::int32_t next3(std::int32_t x) {
  return (kMultiplier3 * x + kIncrement3) % kModulus3;
}

}  // namespace

void UniformRandom::initialise(int seed) {
  seeded = true;
  state1 = (kIncrement1 - seed) % kModulus1;
  state1 = next1(state1);
  state2 = state1 % kModulus2;
  state1 = next1(state1);
  state3 = state1 % kModulus3;
  for (int j = 1; j <= kTableSize; ++j) {
    state1 = next1(state1);
    state2 = next2(state2);
    table[j] = uniformTableValue(state1, state2);
  }
}

double UniformRandom::uniformRandom(int* seed) {
  if (*seed < 0 || !seeded) {
    initialise(*seed);
    *seed = 1;
  }
  state1 = next1(state1);
  state2 = next2(state2);
  state3 = next3(state3);
  // state3 lies in 0..kModulus3 - 1, so j lies in 1..kTableSize.
  const int j = 1 + (kTableSize * state3) / kModulus3;
  const float temp = table[j];
  table[j] = uniformTableValue(state1, state2);
  return temp;
}

}  // namespace tokshuf
