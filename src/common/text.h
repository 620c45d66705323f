#pragma once

#include <vector>

namespace tokshuf {

// The token sequence as read: ranks[1..N] holds the rank of each token's
// word type, in file order. Index 0 exists and carries no data.
struct Text {
  std::vector<int> ranks = std::vector<int>(1, 0);
  int N = 0;
  int rankOneCount = 0;  // tokens of rank 1 in the whole text
};

}  // namespace tokshuf
