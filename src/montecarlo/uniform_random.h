#pragma once

#include <array>
#include <cstdint>

namespace tokshuf {

// The complete state of the generator, for code that continues its stream
// elsewhere.
struct UniformRandomState {
  std::int32_t ix1 = 0;
  std::int32_t ix2 = 0;
  std::int32_t ix3 = 0;
  std::array<float, 98> r{};
};

// Portable uniform generator: three linear congruential generators and a
// shuffle table of 97 single-precision values. Generator 1 gives the coarse
// part of a value, generator 2 the fine part, generator 3 picks the table
// entry returned next. Results lie in [0, 1]; 1.0 itself is possible.
class UniformRandom {
 public:
  // Draws one value. A negative *idum, or the first call ever, (re)seeds
  // from *idum first and sets *idum to 1.
  double uniformRandom(int* idum);

  // The state after the last draw.
  UniformRandomState state() const { return {ix1, ix2, ix3, r}; }

 private:
  void initialise(int seed);

  std::int32_t ix1 = 0;
  std::int32_t ix2 = 0;
  std::int32_t ix3 = 0;
  std::array<float, 98> r{};
  int iff = 0;

  friend struct UniformRandomProbe;  // lets tests read the states
};

}  // namespace tokshuf
