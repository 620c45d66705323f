#include "montecarlo/uniform_random.h"

#include <cstdio>

namespace tokshuf {
namespace {

constexpr std::int32_t M1 = 259200, IA1 = 7141, IC1 = 54773;
constexpr std::int32_t M2 = 134456, IA2 = 8121, IC2 = 28411;
constexpr std::int32_t M3 = 243000, IA3 = 4561, IC3 = 51349;
constexpr double RM1 = 1.0 / M1;
constexpr double RM2 = 1.0 / M2;
constexpr int kTableSize = 97;

std::int32_t next1(std::int32_t x) { return (IA1 * x + IC1) % M1; }
std::int32_t next2(std::int32_t x) { return (IA2 * x + IC2) % M2; }
std::int32_t next3(std::int32_t x) { return (IA3 * x + IC3) % M3; }

float tableValue(std::int32_t x1, std::int32_t x2) {
  return float((x1 + x2 * RM2) * RM1);
}

}  // namespace

void UniformRandom::initialise(int seed) {
  iff = 1;
  ix1 = (IC1 - seed) % M1;
  ix1 = next1(ix1);
  ix2 = ix1 % M2;
  ix1 = next1(ix1);
  ix3 = ix1 % M3;
  for (int j = 1; j <= kTableSize; ++j) {
    ix1 = next1(ix1);
    ix2 = next2(ix2);
    r[j] = tableValue(ix1, ix2);
  }
}

double UniformRandom::uniformRandom(int* idum) {
  if (*idum < 0 || iff == 0) {
    initialise(*idum);
    *idum = 1;
  }
  ix1 = next1(ix1);
  ix2 = next2(ix2);
  ix3 = next3(ix3);
  const int j = 1 + (kTableSize * ix3) / M3;
  if (j > kTableSize || j < 1) {
    std::fputs("uniformRandom (): impossible value for variable j!\n", stderr);
    return 0.0;  // unreachable from a valid seed; any value in range will do
  }
  const float temp = r[j];
  r[j] = tableValue(ix1, ix2);
  return temp;
}

}  // namespace tokshuf
