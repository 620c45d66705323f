#pragma once

#include <array>
#include <cstdint>

#include "measures/sichel.h"

namespace tokshuf {

// Both fits are pure functions of a few numbers, and across permutation
// runs some of those numbers come back at the same chunk boundary: at the
// last boundary every run has the same counts, and the first boundaries
// of a text have few possible counts. (In the middle of a long text they
// rarely repeat: over 1000 runs of a 200,000-token text about 6 % of the
// calls at 40 boundaries find an earlier identical call, over 5000 runs
// about 18 %.) So the memos are small direct-mapped caches with a fixed
// size: a call returns the result of an earlier identical call if that is
// still in its slot, else it computes and takes the slot. A fit that ends
// the program is never stored: it ends the program the first time. Each
// memo serves one thread.

class SichelMemo {
 public:
  // sichelFit(tokens, types, hapaxes), bit for bit.
  SichelFit fit(int tokens, int types, int hapaxes);

 private:
  struct Slot {
    std::uint64_t key = 0;  // 0: empty (no real key is 0)
    SichelFit fit;
  };
  std::array<Slot, 4096> slots_{};
};

class ZipfMemo {
 public:
  // zipfSize(pstar, tokens, types, zeros, kZipfForm), bit for bit; the memo is
  // keyed by the exact bits of pstar. A missing fit found in the memo
  // still adds one to *zeros.
  double z(double pstar, int tokens, int types, int* zeros);

 private:
  struct Slot {
    std::uint64_t pstarBits = 0;
    std::uint64_t counts = 0;  // 0: empty (every real key has its top bit set)
    double z = 0.0;
    bool missing = false;
  };
  std::array<Slot, 4096> slots_{};
};

}  // namespace tokshuf
