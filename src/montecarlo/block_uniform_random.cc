#include "montecarlo/block_uniform_random.h"

#include <algorithm>

namespace tokshuf {
namespace {

constexpr double kScale1 = 1.0 / GeneratorCycles::kPeriod1;
constexpr double kScale2 = 1.0 / GeneratorCycles::kPeriod2;

int advance(int position, std::int64_t count, int period) {
  return int((position + count) % period);
}

}  // namespace

BlockUniformRandom::BlockUniformRandom(const UniformRandomState& state)
    : cycles_(GeneratorCycles::instance()),
      position1_(cycles_.position1(state.state1)),
      position2_(cycles_.position2(state.state2)),
      position3_(cycles_.position3(state.state3)),
      table_(state.table) {}

float BlockUniformRandom::storedAt(std::int64_t offset) const {
  const std::int32_t x1 =
      cycles_.states1()[advance(position1_, offset + 1, GeneratorCycles::kPeriod1)];
  const std::int32_t x2 =
      cycles_.states2()[advance(position2_, offset + 1, GeneratorCycles::kPeriod2)];
  return float((x1 + x2 * kScale2) * kScale1);
}

int BlockUniformRandom::entryAt(std::int64_t offset) const {
  return cycles_.entries3()[advance(position3_, offset + 1, GeneratorCycles::kPeriod3)];
}

BlockUniformRandom BlockUniformRandom::ahead(std::int64_t draws) const {
  BlockUniformRandom there(*this);
  there.position1_ = advance(position1_, draws, GeneratorCycles::kPeriod1);
  there.position2_ = advance(position2_, draws, GeneratorCycles::kPeriod2);
  there.position3_ = advance(position3_, draws, GeneratorCycles::kPeriod3);
  std::array<bool, 98> found{};
  int missing = 97;
  for (std::int64_t t = draws - 1; t >= 0 && missing > 0; --t) {
    const int j = entryAt(t);
    if (found[j]) continue;
    found[j] = true;
    --missing;
    there.table_[j] = storedAt(t);
  }
  return there;
}

UniformRandomState BlockUniformRandom::state() const {
  // Generator 3's state is not kept, only its entries; recover it.
  std::int32_t state3 = 0;
  for (int k = 0; k < position3_; ++k)
    state3 = (4561 * state3 + 51349) % 243000;
  return {cycles_.states1()[position1_], cycles_.states2()[position2_], state3,
          table_};
}

void BlockUniformRandom::draw(float* out, int count) {
  while (count > 0) {
    const int n = std::min(count, kBlock);
    drawBlock(out, n);
    out += n;
    count -= n;
  }
}

void BlockUniformRandom::drawBlock(float* out, int count) {
  // A draw first advances every generator, so it uses the states after the
  // current positions.
  const std::int32_t* x1 = cycles_.states1() + position1_ + 1;
  const std::int32_t* x2 = cycles_.states2() + position2_ + 1;
  const std::uint8_t* entry = cycles_.entries3() + position3_ + 1;
  alignas(64) float stored[kBlock];
  for (int t = 0; t < count; ++t) {
    stored[t] = float((x1[t] + x2[t] * kScale2) * kScale1);
  }
  for (int t = 0; t < count; ++t) {
    const int j = entry[t];
    out[t] = table_[j];
    table_[j] = stored[t];
  }
  position1_ = advance(position1_, count, GeneratorCycles::kPeriod1);
  position2_ = advance(position2_, count, GeneratorCycles::kPeriod2);
  position3_ = advance(position3_, count, GeneratorCycles::kPeriod3);
}

}  // namespace tokshuf
