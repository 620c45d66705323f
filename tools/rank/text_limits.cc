#include "rank/text_limits.h"

#include <string_view>
#include <unordered_set>

namespace tokshuf::rank {

TextSize measureText(const std::vector<std::string>& words) {
  std::unordered_set<std::string_view> seen(words.begin(), words.end());
  return {words.size(), seen.size()};
}

bool fitsTokshuf(TextSize size) {
  return size.tokens <= kMaxTokens && size.types <= kMaxTypes;
}

std::size_t longestFittingPrefix(const std::vector<std::string>& words,
                                 std::size_t maxTokens, std::size_t maxTypes) {
  std::unordered_set<std::string_view> seen;
  std::size_t length = 0;
  for (const std::string& word : words) {
    if (length == maxTokens) break;
    if (!seen.contains(word)) {
      if (seen.size() == maxTypes) break;
      seen.insert(word);
    }
    ++length;
  }
  return length;
}

}  // namespace tokshuf::rank
