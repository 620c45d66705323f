#pragma once

#include "schema/profile_schema.h"

// Fixed capacities of the tool. The usage text prints them and the option
// scanner and the token reader enforce them.
namespace tokshuf {

inline constexpr int kMaxChunks = schema::kMaxChunks;
inline constexpr int kMaxPermutations = 5000;
inline constexpr int kMaxTokens = schema::kMaxTokens;
inline constexpr int kMaxRank = schema::kMaxTypes;
inline constexpr int kMeasureColumns = schema::kMeasureColumns;
inline constexpr int kKnownMeasures = schema::kKnownMeasures;

}  // namespace tokshuf
