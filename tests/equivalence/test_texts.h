#pragma once

#include <string>
#include <vector>

namespace tokshuf::equivalence {

// Ranked-token files for the engine comparison, written into dir; each
// function returns the path of its file.

// A copy of the bundled sample text (Genesis).
std::string sampleText(const std::string& dir);
// A synthetic Zipfian text of 20,000 tokens.
std::string zipfianText(const std::string& dir);
// A text where both fits often find no solution: one word makes up 97 % of
// it.
std::string failingFitsText(const std::string& dir);
// Seven tokens, fewer than the chunks asked for.
std::string fewTokensText(const std::string& dir);
// A single token.
std::string oneTokenText(const std::string& dir);
// A text whose file order measures without error but whose Sichel search,
// in permutation run 56 (with -k2), tries a value at or below 0, which ends
// the program.
std::string fatalInLaterRunText(const std::string& dir);
// No tokens at all.
std::string emptyText(const std::string& dir);
// 300,000 tokens over 30,000 types: beyond both classic limits.
std::string longText(const std::string& dir);
// A text of exactly `types` word types (ranks up to 3 * types), so that
// 65535 types still fit 16-bit type ids and 65536 do not.
std::string manyTypesText(const std::string& dir, int types);

// The ranked-token file of the given ranks, in order.
std::string writeRanks(const std::string& path, const std::vector<int>& ranks);

}  // namespace tokshuf::equivalence
