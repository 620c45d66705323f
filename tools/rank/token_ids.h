#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tokshuf::rank {

// A text as numbers: every token is the id of its word type, and ids are
// handed out in order of first occurrence (the first word is 0, the next
// new word 1, ...). Each word type's text is held once.
class TokenIds {
 public:
  TokenIds() = default;
  // The map refers into words_, so a copy would refer into the original.
  TokenIds(const TokenIds&) = delete;
  TokenIds& operator=(const TokenIds&) = delete;
  TokenIds(TokenIds&&) = default;
  TokenIds& operator=(TokenIds&&) = default;

  void add(std::string&& word);

  // Keeps the first `tokens` tokens and the word types among them; ids in
  // first-occurrence order make those the types with the lowest ids.
  void truncate(std::size_t tokens);

  const std::vector<int>& tokens() const { return tokens_; }
  std::size_t typeCount() const { return words_.size(); }
  const std::string& word(int id) const { return words_[static_cast<std::size_t>(id)]; }

  // Hands over the token ids; afterwards the object holds no tokens.
  std::vector<int> releaseTokens() { return std::move(tokens_); }

 private:
  std::deque<std::string> words_;  // a deque never moves its elements
  std::unordered_map<std::string_view, int> idOfWord_;
  std::vector<int> tokens_;
};

}  // namespace tokshuf::rank
