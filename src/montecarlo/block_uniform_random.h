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

  // This generator `draws` values further along its stream, without drawing
  // them: every value returned was stored in the table at an earlier draw,
  // so the table there holds, for each entry, the value stored at the last
  // earlier draw that chose it, which a walk back from that point finds
  // (about 500 draws back; the entries that no draw since this point chose
  // keep this table's values). So the draws of any permutation run can be
  // made on their own.
  BlockUniformRandom ahead(std::int64_t draws) const;

  // The next count values of the stream, as the single-precision numbers
  // the generator stores; count may be any size.
  void draw(float* out, int count);

  // The state after the last draw.
  UniformRandomState state() const;

 private:
  void drawBlock(float* out, int count);
  // The value stored, and the table entry chosen, by the draw `offset`
  // draws after the current position (offset 0 is the next draw).
  float storedAt(std::int64_t offset) const;
  int entryAt(std::int64_t offset) const;

  const GeneratorCycles& cycles_;
  // Cycle positions of the three generators' current states.
  int position1_;
  int position2_;
  int position3_;
  std::array<float, 98> table_;
};

}  // namespace tokshuf
