#pragma once

#include <vector>

#include "support/zipfian_text.h"

namespace tokshuf::bench {

// The benchmark text: 200,000 Zipfian tokens over up to 20,000 types, as a
// token sequence (index 0 unused). Built once.
inline const std::vector<int>& benchText() {
  static const std::vector<int> text =
      test::zipfianTokenSequence(test::ZipfianTextShape{});
  return text;
}

inline int benchTokens() { return int(benchText().size()) - 1; }

}  // namespace tokshuf::bench
