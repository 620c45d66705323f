#include "common/type_ids.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <utility>

namespace tokshuf {
namespace {

// A table by rank costs memory in proportion to the largest rank; it is
// used only when that stays in proportion to the text itself.
bool rankTableFits(int maxRank, int N) {
  return std::size_t(maxRank) <= 4 * std::size_t(N) + (std::size_t(1) << 20);
}

}  // namespace

TypeIds::TypeIds(Text text) : renumbered_(std::move(text)) {
  const int N = renumbered_.N;
  std::vector<int>& ids = renumbered_.ranks;  // ranks on entry, ids on return
  int maxRank = 0;
  for (int i = 1; i <= N; ++i) maxRank = std::max(maxRank, ids[i]);
  if (rankTableFits(maxRank, N)) {
    std::vector<int> idByRank(std::size_t(maxRank) + 1, 0);
    for (int i = 1; i <= N; ++i) idByRank[ids[i]] = 1;
    for (int rank = 0; rank <= maxRank; ++rank) {
      if (idByRank[rank] == 0) continue;
      ranks_.push_back(rank);
      idByRank[rank] = int(ranks_.size());
    }
    for (int i = 1; i <= N; ++i) ids[i] = idByRank[ids[i]];
  } else {
    ranks_.assign(ids.begin() + 1, ids.begin() + 1 + N);
    std::sort(ranks_.begin(), ranks_.end());
    ranks_.erase(std::unique(ranks_.begin(), ranks_.end()), ranks_.end());
    std::unordered_map<int, int> idByRank;
    idByRank.reserve(ranks_.size());
    for (std::size_t t = 0; t < ranks_.size(); ++t) idByRank[ranks_[t]] = int(t) + 1;
    for (int i = 1; i <= N; ++i) ids[i] = idByRank[ids[i]];
  }
  std::vector<int> counts(ranks_.size() + 1, 0);
  int maxCount = 0;
  for (int i = 1; i <= N; ++i) maxCount = std::max(maxCount, ++counts[ids[i]]);
  shape_.typeLimit = int(ranks_.size()) + 1;
  shape_.maxTypeCount = maxCount;
}

int TypeIds::idOf(int rank) const {
  const auto at = std::lower_bound(ranks_.begin(), ranks_.end(), rank);
  return at != ranks_.end() && *at == rank ? int(at - ranks_.begin()) + 1 : 0;
}

}  // namespace tokshuf
