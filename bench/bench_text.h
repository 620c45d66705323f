#pragma once

#include <vector>

#include "zipfian_text.h"

namespace tokshuf::bench {

// The benchmark text: 200,000 Zipfian tokens over up to 20,000 types, as a
// 1-based ranks (index 0 unused). Built once.
inline const std::vector<int>& benchText() {
  static const std::vector<int> text = [] {
    std::vector<int> ranks = zipfianRanks(ZipfianTextShape{});
    ranks.insert(ranks.begin(), 0);
    return ranks;
  }();
  return text;
}

inline int benchTokens() { return int(benchText().size()) - 1; }

}  // namespace tokshuf::bench
