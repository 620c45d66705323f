#pragma once

// Fixed capacities of the tool. The usage text prints them and the option
// scanner and the token reader enforce them.
namespace tokshuf {

inline constexpr int kMaxChunks = 40;
inline constexpr int kMaxPermutations = 5000;
inline constexpr int kMaxTokens = 220000;
inline constexpr int kMaxRank = 22000;
inline constexpr int kMeasureColumns = 24;

}  // namespace tokshuf
