#include "rank/rank_table.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace tokshuf::rank {
namespace {

struct TypeCounts {
  std::vector<int> tokenTypes;        // type id of each token
  std::vector<std::string> words;     // word of each type id
  std::vector<int> frequencies;       // token count of each type id
};

// Type ids are handed out in order of first occurrence.
TypeCounts countTypes(const std::vector<std::string>& words) {
  TypeCounts counts;
  std::unordered_map<std::string_view, int> idOfWord;
  counts.tokenTypes.reserve(words.size());
  for (const std::string& word : words) {
    auto [it, isNew] =
        idOfWord.try_emplace(word, static_cast<int>(counts.words.size()));
    if (isNew) {
      counts.words.push_back(word);
      counts.frequencies.push_back(0);
    }
    ++counts.frequencies[it->second];
    counts.tokenTypes.push_back(it->second);
  }
  return counts;
}

}  // namespace

RankedText rankWords(const std::vector<std::string>& words) {
  TypeCounts counts = countTypes(words);
  std::vector<int> byRank(counts.words.size());
  for (std::size_t id = 0; id < byRank.size(); ++id) byRank[id] = static_cast<int>(id);
  // Stable, and ids are in first-occurrence order: that breaks the ties.
  std::stable_sort(byRank.begin(), byRank.end(), [&](int a, int b) {
    return counts.frequencies[a] > counts.frequencies[b];
  });

  RankedText ranked;
  std::vector<int> rankOfId(byRank.size());
  for (std::size_t r = 0; r < byRank.size(); ++r) {
    rankOfId[byRank[r]] = static_cast<int>(r) + 1;
    ranked.typeByRank.push_back(std::move(counts.words[byRank[r]]));
  }
  ranked.tokenRanks.reserve(counts.tokenTypes.size());
  for (int id : counts.tokenTypes) ranked.tokenRanks.push_back(rankOfId[id]);
  return ranked;
}

}  // namespace tokshuf::rank
