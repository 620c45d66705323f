#include "montecarlo/generator_cycles.h"

#include <algorithm>

namespace tokshuf {
namespace {

// The whole cycle of x -> (a x + c) mod m from state 0, plus the wrap room.
std::vector<std::int32_t> cycle(std::int32_t a, std::int32_t c, std::int32_t m) {
  std::vector<std::int32_t> states(std::size_t(m) + GeneratorCycles::kWrapRoom);
  std::int32_t x = 0;
  for (std::int32_t k = 0; k < m; ++k) {
    states[k] = x;
    x = (a * x + c) % m;
  }
  std::copy_n(states.begin(), GeneratorCycles::kWrapRoom, states.begin() + m);
  return states;
}

int positionOf(const std::vector<std::int32_t>& states, std::int32_t state) {
  return int(std::find(states.begin(), states.end(), state) - states.begin());
}

}  // namespace

const GeneratorCycles& GeneratorCycles::instance() {
  static const GeneratorCycles cycles;
  return cycles;
}

GeneratorCycles::GeneratorCycles()
    : states1_(cycle(7141, 54773, kPeriod1)),
      states2_(cycle(8121, 28411, kPeriod2)),
      states3_(cycle(4561, 51349, kPeriod3)),
      entries3_(states3_.size()) {
  for (std::size_t k = 0; k < states3_.size(); ++k) {
    entries3_[k] = std::uint8_t(1 + (97 * states3_[k]) / kPeriod3);
  }
}

int GeneratorCycles::position1(std::int32_t state1) const {
  return positionOf(states1_, state1);
}
int GeneratorCycles::position2(std::int32_t state2) const {
  return positionOf(states2_, state2);
}
int GeneratorCycles::position3(std::int32_t state3) const {
  return positionOf(states3_, state3);
}

}  // namespace tokshuf
