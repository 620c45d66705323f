#pragma once

#include "common/limits.h"

namespace tokshuf {

// How large the tables indexed by type or by frequency must be for a text:
// type ids lie in 1..typeLimit - 1, and no type occurs more than
// maxTypeCount times. The defaults fit every text within the classic
// limits (ranks up to 22000, at most 220000 tokens) without renumbering.
struct TextShape {
  int typeLimit = kMaxRank + 1;
  int maxTypeCount = kMaxTokens;
};

}  // namespace tokshuf
