#pragma once

#include <cstddef>
#include <vector>

#include "schema/profile_schema.h"

namespace tokshuf::rank {

// tokshuf keeps its tokens and word types in fixed tables of these sizes and
// refuses longer texts.
inline constexpr std::size_t kMaxTokens = schema::kMaxTokens;
inline constexpr std::size_t kMaxTypes = schema::kMaxTypes;

struct TextSize {
  std::size_t tokens = 0;
  std::size_t types = 0;
};

bool fitsTokshuf(TextSize size);

// The number of leading tokens that stay within both limits, for token ids
// handed out in order of first occurrence (see TokenIds): the prefix holds
// k types exactly when its ids are all below k, and the first token that
// breaks a limit ends the longest prefix that fits.
std::size_t longestFittingPrefix(const std::vector<int>& tokenIds, std::size_t maxTokens,
                                 std::size_t maxTypes);

}  // namespace tokshuf::rank
