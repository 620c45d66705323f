#include "measures/fit_memo.h"

#include <bit>

#include "measures/chunk_measures.h"
#include "measures/sichel_skipping_walk.h"
#include "measures/zipf.h"

namespace tokshuf {
namespace {

// Counts are below 2^21, so two of them and a third fit in 64 bits.
std::uint64_t packCounts(int a, int b, int c = 0) {
  return (std::uint64_t(a) << 42) | (std::uint64_t(b) << 21) |
         std::uint64_t(c);
}

}  // namespace

SichelFit SichelMemo::fit(int curN, int curV, int curV1) {
  const std::uint64_t key = packCounts(curN, curV, curV1);
  const auto found = fits_.find(key);
  if (found != fits_.end()) return found->second;
  const SichelFit fit = sichelFitSkipping(curN, curV, curV1);
  if (fits_.size() < kMaxEntries) fits_.emplace(key, fit);
  return fit;
}

std::size_t ZipfMemo::KeyHash::operator()(const Key& key) const {
  const std::uint64_t mixed =
      (key.psterBits ^ (key.counts * 0x9e3779b97f4a7c15ULL)) *
      0xbf58476d1ce4e5b9ULL;
  return std::size_t(mixed ^ (mixed >> 31));
}

double ZipfMemo::z(double pster, int curN, int curV, int* zeros) {
  const Key key{std::bit_cast<std::uint64_t>(pster), packCounts(curN, curV)};
  const auto found = results_.find(key);
  if (found != results_.end()) {
    if (found->second.missing) ++*zeros;
    return found->second.z;
  }
  int missing = 0;
  const double z = getZ(pster, curN, curV, &missing, kZipfForm);
  if (results_.size() < kMaxEntries) results_.emplace(key, Result{z, missing != 0});
  *zeros += missing;
  return z;
}

}  // namespace tokshuf
