#pragma once

#include <cstddef>
#include <string>
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

TextSize measureText(const std::vector<std::string>& words);

bool fitsTokshuf(TextSize size);

// The number of leading words that stay within both limits. The count of
// types only grows along the text, so the first word that breaks a limit
// ends the longest prefix that fits.
std::size_t longestFittingPrefix(const std::vector<std::string>& words,
                                 std::size_t maxTokens, std::size_t maxTypes);

}  // namespace tokshuf::rank
