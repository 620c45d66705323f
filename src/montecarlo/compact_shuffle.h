#pragma once

#include <cstdint>
#include <vector>

#include "montecarlo/block_uniform_random.h"

namespace tokshuf {

// A token order in the narrowest unsigned type that holds every type id:
// 16 bits for texts of up to 65535 types (every text within the classic
// limits), 32 bits beyond. Half the bytes of the loaded text, so a shuffle
// and a measurement stay in cache longer. Index 0 exists and carries no
// data, as in Text::ranks.
template <class T>
std::vector<T> compactOrderOf(const std::vector<int>& ranks, int n);

using CompactOrder = std::vector<std::uint16_t>;
inline CompactOrder compactOrder(const std::vector<int>& ranks, int n) {
  return compactOrderOf<std::uint16_t>(ranks, n);
}

// The forward Fisher-Yates shuffle of randomize(), over order[1..n], with
// the same n - 1 draws in the same order and so the same exchanges.
template <class T>
void shuffleCompact(BlockUniformRandom& generator, T* order, int n);

// The same shuffle in two steps, so that the draws of a run can be made
// before, and apart from, its exchanges: drawPartners() writes the partner
// of every position i = 1..n-1 to partner[i] from the next n - 1 draws;
// applyPartners() makes the exchanges in order.
void drawPartners(BlockUniformRandom& generator, int* partner, int n);
template <class T>
void applyPartners(T* order, const int* partner, int n);

}  // namespace tokshuf
