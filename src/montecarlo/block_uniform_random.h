#pragma once

#include <cstdint>

#include "montecarlo/generator_cycles.h"
#include "montecarlo/uniform_random.h"

namespace tokshuf {

// Continues a UniformRandom stream, value for value, in blocks. The states
// of the three generators come from their precomputed cycles, the table
// values of a whole block are formed at once, and only the exchange with
// the 97-entry table stays sequential. The values are those the reference
// generator would return, in the same order.
class BlockUniformRandom {
 public:
  static constexpr int kBlock = GeneratorCycles::kWrapRoom;

  explicit BlockUniformRandom(const UniformRandomState& state);

  // The next count values of the stream, as the single-precision numbers
  // the generator stores; count may be any size.
  void draw(float* out, int count);

  // The state after the last draw.
  UniformRandomState state() const;

 private:
  void drawBlock(float* out, int count);

  const GeneratorCycles& cycles_;
  // Cycle positions of the three generators' current states.
  int position1_;
  int position2_;
  int position3_;
  std::array<float, 98> table_;
};

}  // namespace tokshuf
