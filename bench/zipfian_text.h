#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tokshuf::bench {

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

// The ranked-token file of those ranks: the header "Word z", then one
// "w<rank> <rank>" line per token.
std::string rankedTokenFile(const std::vector<int>& ranks);

}  // namespace tokshuf::bench
