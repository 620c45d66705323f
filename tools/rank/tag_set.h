#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tokshuf::rank {

// The tags --drop names, for lookup by the text of a column.
class TagSet {
 public:
  explicit TagSet(const std::vector<std::string>& tags) : tags_(tags.begin(), tags.end()) {}
  bool contains(std::string_view tag) const { return tags_.contains(std::string(tag)); }
  bool empty() const { return tags_.empty(); }

 private:
  std::unordered_set<std::string> tags_;
};

// "PUNCT,SYM" -> {"PUNCT", "SYM"}; "" -> {}.
std::vector<std::string> splitTagList(std::string_view list);

}  // namespace tokshuf::rank
