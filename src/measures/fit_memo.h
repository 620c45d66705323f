#pragma once

#include <cstdint>
#include <unordered_map>

#include "measures/sichel.h"

namespace tokshuf {

// Both fits are pure functions of a few numbers, and across permutation
// runs the same numbers come back again and again at the same chunk
// boundary (at the last boundary every run has the same counts). These
// memos return the stored result of an earlier identical call. A fit that
// ends the program is never stored: it ends the program the first time.
// Each memo serves one thread; it stops growing at kMaxEntries.

class SichelMemo {
 public:
  static constexpr std::size_t kMaxEntries = 1 << 17;

  // sichelFit(curN, curV, curV1), computed at most once per triple.
  SichelFit fit(int curN, int curV, int curV1);

 private:
  std::unordered_map<std::uint64_t, SichelFit> fits_;
};

class ZipfMemo {
 public:
  static constexpr std::size_t kMaxEntries = 1 << 17;

  // getZ(pster, curN, curV, zeros, kZipfForm), computed at most once per
  // exact (bit for bit) pster, curN and curV; a missing fit found in the
  // memo still adds one to *zeros.
  double z(double pster, int curN, int curV, int* zeros);

 private:
  struct Key {
    std::uint64_t psterBits;
    std::uint64_t counts;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Result {
    double z;
    bool missing;
  };
  std::unordered_map<Key, Result, KeyHash> results_;
};

}  // namespace tokshuf
