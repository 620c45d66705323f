#include "rank/rank_table.h"

#include <algorithm>

namespace tokshuf::rank {

RankedText rankTokens(TokenIds&& text) {
  std::vector<int> frequencies(text.typeCount(), 0);
  for (int id : text.tokens()) ++frequencies[static_cast<std::size_t>(id)];
  std::vector<int> byRank(frequencies.size());
  for (std::size_t id = 0; id < byRank.size(); ++id) byRank[id] = static_cast<int>(id);
  // Stable, and ids are in first-occurrence order: that breaks the ties.
  std::stable_sort(byRank.begin(), byRank.end(),
                   [&](int a, int b) { return frequencies[a] > frequencies[b]; });

  RankedText ranked;
  std::vector<int> rankOfId(byRank.size());
  ranked.typeByRank.reserve(byRank.size());
  for (std::size_t r = 0; r < byRank.size(); ++r) {
    rankOfId[byRank[r]] = static_cast<int>(r) + 1;
    ranked.typeByRank.push_back(text.word(byRank[r]));
  }
  ranked.tokenRanks = text.releaseTokens();
  for (int& token : ranked.tokenRanks) token = rankOfId[static_cast<std::size_t>(token)];
  return ranked;
}

RankedText rankWords(const std::vector<std::string>& words) {
  TokenIds text;
  for (const std::string& word : words) text.add(std::string(word));
  return rankTokens(std::move(text));
}

}  // namespace tokshuf::rank
