#include "rank/token_ids.h"

#include <algorithm>

namespace tokshuf::rank {

void TokenIds::add(std::string&& word) {
  const auto found = idOfWord_.find(word);
  if (found != idOfWord_.end()) {
    tokens_.push_back(found->second);
    return;
  }
  const int id = static_cast<int>(words_.size());
  words_.push_back(std::move(word));
  idOfWord_.emplace(words_.back(), id);
  tokens_.push_back(id);
}

void TokenIds::truncate(std::size_t tokens) {
  if (tokens >= tokens_.size()) return;
  tokens_.resize(tokens);
  const int types = tokens == 0 ? 0 : *std::max_element(tokens_.begin(), tokens_.end()) + 1;
  while (words_.size() > static_cast<std::size_t>(types)) {
    idOfWord_.erase(words_.back());
    words_.pop_back();
  }
}

}  // namespace tokshuf::rank
