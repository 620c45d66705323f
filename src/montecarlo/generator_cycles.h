#pragma once

#include <cstdint>
#include <vector>

namespace tokshuf {

// The three linear congruential generators of UniformRandom have full
// periods (259200, 134456 and 243000 states), so each one's whole sequence
// fits in a table. Reading the next states from the tables turns the chain
// of dependent multiply-remainder steps of every draw into streaming loads.
// Built once, on first use, and read-only afterwards (safe to share).
class GeneratorCycles {
 public:
  // Room after each cycle for a block of consecutive states that wraps
  // around: entry period + k repeats entry k for k < kWrapRoom.
  static constexpr int kWrapRoom = 1024;

  static const GeneratorCycles& instance();

  // State of generator 1 and 2 at each position of their cycles, and the
  // table entry (1..97) that generator 3 chooses at each position of its.
  const std::int32_t* states1() const { return states1_.data(); }
  const std::int32_t* states2() const { return states2_.data(); }
  const std::uint8_t* entries3() const { return entries3_.data(); }

  // Positions, in each cycle, of the given states of the three generators.
  int position1(std::int32_t state1) const;
  int position2(std::int32_t state2) const;
  int position3(std::int32_t state3) const;

  static constexpr int kPeriod1 = 259200;
  static constexpr int kPeriod2 = 134456;
  static constexpr int kPeriod3 = 243000;

 private:
  GeneratorCycles();

  std::vector<std::int32_t> states1_;
  std::vector<std::int32_t> states2_;
  std::vector<std::int32_t> states3_;
  std::vector<std::uint8_t> entries3_;
};

}  // namespace tokshuf
