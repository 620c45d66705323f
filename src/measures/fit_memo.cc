#include "measures/fit_memo.h"

#include <bit>

#include "measures/sichel_skipping_walk.h"
#include "measures/zipf.h"

namespace tokshuf {
namespace {

// Counts are below 2^21, so three of them fit in 64 bits; the top bit marks
// a used key, so that no key is 0.
std::uint64_t packCounts(int a, int b, int c) {
  return (1ULL << 63) | (std::uint64_t(a) << 42) | (std::uint64_t(b) << 21) |
         std::uint64_t(c);
}

template <std::size_t kSlots>
std::size_t slotOf(std::uint64_t key) {
  const std::uint64_t mixed = (key ^ (key >> 29)) * 0xbf58476d1ce4e5b9ULL;
  return std::size_t(mixed >> 40) % kSlots;
}

}  // namespace

SichelFit SichelMemo::fit(int tokens, int types, int hapaxes) {
  const std::uint64_t key = packCounts(tokens, types, hapaxes);
  Slot& slot = slots_[slotOf<std::tuple_size_v<decltype(slots_)>>(key)];
  if (slot.key == key) return slot.fit;
  const SichelFit fit = sichelFitSkipping(tokens, types, hapaxes);
  slot.key = key;
  slot.fit = fit;
  return fit;
}

double ZipfMemo::z(double pstar, int tokens, int types, int* zeros) {
  const std::uint64_t pstarBits = std::bit_cast<std::uint64_t>(pstar);
  const std::uint64_t counts = packCounts(tokens, types, 0);
  Slot& slot = slots_[slotOf<std::tuple_size_v<decltype(slots_)>>(
      pstarBits * 0x9e3779b97f4a7c15ULL ^ counts)];
  if (slot.counts != counts || slot.pstarBits != pstarBits) {
    int missing = 0;
    slot.z = zipfSize(pstar, tokens, types, &missing, kZipfForm);
    slot.missing = missing != 0;
    slot.pstarBits = pstarBits;
    slot.counts = counts;
  }
  if (slot.missing) ++*zeros;
  return slot.z;
}

}  // namespace tokshuf
