#pragma once

#include <array>
#include <cstdint>

namespace tokshuf {

// The value the generator stores for states x1 and x2 of generators 1 and 2:
// the double (x1 + x2 * (1 / 134456)) * (1 / 259200) rounded to the nearest
// float. Shared so that analyses of the stream use the generator's own
// arithmetic.
inline float uniformTableValue(std::int32_t x1, std::int32_t x2) {
  constexpr double kScale1 = 1.0 / 259200;
  constexpr double kScale2 = 1.0 / 134456;
  return float((x1 + x2 * kScale2) * kScale1);
}

// The complete state of the generator, for code that continues its stream
// elsewhere.
struct UniformRandomState {
  std::int32_t state1 = 0;
  std::int32_t state2 = 0;
  std::int32_t state3 = 0;
  std::array<float, 98> table{};  // entries 1..97
};

// Portable uniform generator: three linear congruential generators and a
// shuffle table of 97 single-precision values. Generator 1 gives the coarse
// part of a value, generator 2 the fine part, generator 3 picks the table
// entry returned next. Results lie in [0, 1]; 1.0 itself is possible.
class UniformRandom {
 public:
  // Draws one value. A negative *seed, or the first call ever, (re)seeds
  // from *seed first and sets *seed to 1.
  double uniformRandom(int* seed);

  // The state after the last draw.
  UniformRandomState state() const { return {state1, state2, state3, table}; }

 private:
  void initialise(int seed);

  std::int32_t state1 = 0;
  std::int32_t state2 = 0;
  std::int32_t state3 = 0;
  std::array<float, 98> table{};  // entries 1..97
  bool seeded = false;

  friend struct UniformRandomProbe;  // lets tests read the states
};

}  // namespace tokshuf
