#include "rank/tag_set.h"

namespace tokshuf::rank {

std::vector<std::string> splitTagList(std::string_view list) {
  std::vector<std::string> tags;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view tag = list.substr(0, comma);
    if (!tag.empty()) tags.emplace_back(tag);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return tags;
}

}  // namespace tokshuf::rank
