#include "rank/text_limits.h"

namespace tokshuf::rank {

bool fitsTokshuf(TextSize size) {
  return size.tokens <= kMaxTokens && size.types <= kMaxTypes;
}

std::size_t longestFittingPrefix(const std::vector<int>& tokenIds, std::size_t maxTokens,
                                 std::size_t maxTypes) {
  std::size_t length = 0;
  for (int id : tokenIds) {
    if (length == maxTokens || static_cast<std::size_t>(id) >= maxTypes) break;
    ++length;
  }
  return length;
}

}  // namespace tokshuf::rank
