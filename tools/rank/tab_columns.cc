#include "rank/tab_columns.h"

namespace tokshuf::rank {

void splitTabColumns(std::string_view line, std::vector<std::string_view>& columns) {
  columns.clear();
  for (;;) {
    const std::size_t tab = line.find('\t');
    columns.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return;
    line.remove_prefix(tab + 1);
  }
}

}  // namespace tokshuf::rank
