#pragma once

#include <cstdint>
#include <vector>

#include "montecarlo/block_uniform_random.h"

namespace tokshuf {

// A token order with 16-bit ranks (every rank is at most 22000): half the
// bytes of the loaded text, so a shuffle and a measurement stay in cache.
// Index 0 exists and carries no data, as in Text::ranks.
using CompactOrder = std::vector<std::uint16_t>;

CompactOrder compactOrder(const std::vector<int>& ranks, int n);

// The forward Fisher-Yates shuffle of randomize(), over order[1..n], with
// the same n - 1 draws in the same order and so the same exchanges.
void shuffleCompact(BlockUniformRandom& generator, std::uint16_t* order, int n);

}  // namespace tokshuf
