#pragma once

#include <string>
#include <vector>

#include "rank/token_ids.h"

namespace tokshuf::rank {

// A text as tokshuf sees it: every token replaced by the frequency rank of
// its word type.
struct RankedText {
  std::vector<std::string> typeByRank;  // typeByRank[r - 1] is the word of rank r
  std::vector<int> tokenRanks;          // one rank per token, in text order
};

// Rank 1 goes to the most frequent word type; word types of equal frequency
// are ranked in the order of their first occurrence, so the ranking depends
// on the text alone and never on hashing or sort instability. The token
// ids are turned into ranks in place: the text is held once.
RankedText rankTokens(TokenIds&& text);

// The same for words given one by one.
RankedText rankWords(const std::vector<std::string>& words);

}  // namespace tokshuf::rank
