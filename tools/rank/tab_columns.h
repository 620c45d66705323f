#pragma once

#include <string_view>
#include <vector>

namespace tokshuf::rank {

// The tab-separated columns of a line; "a\t\tb" has an empty second column.
void splitTabColumns(std::string_view line, std::vector<std::string_view>& columns);

}  // namespace tokshuf::rank
