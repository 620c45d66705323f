#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tokshuf::test {

// What a synthetic text looks like: how many tokens, how many word types
// may occur, how steeply their probabilities fall (weight 1 / i^exponent
// for the i-th type) and the seed of the draws.
struct ZipfianTextShape {
  int tokens = 200000;
  int types = 20000;
  double exponent = 1.0;
  std::uint64_t seed = 1;
};

// The ranks of a Zipfian text, in text order. Rank 1 is the type that
// occurs most often in the drawn text (ties go to the type with the larger
// weight), so the ranks are what a ranking tool would assign. The same
// shape gives the same text on every machine with IEEE doubles.
std::vector<int> zipfianRanks(const ZipfianTextShape& shape);

// The same ranks behind an unused entry 0, as the measurements index a
// token sequence (Text::ranks).
std::vector<int> zipfianTokenSequence(const ZipfianTextShape& shape);

// A ranked-token file: the "Word z" header (unless withHeader is false)
// and one line "w<rank> <rank>" per token.
std::string zvcText(const std::vector<int>& ranks, bool withHeader = true,
                    const std::string& lineEnd = "\n");

}  // namespace tokshuf::test
