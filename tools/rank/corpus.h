#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "rank/token_ids.h"

namespace tokshuf::rank {

struct Document {
  std::string id;  // as the input gives it; empty when it has none
  TokenIds tokens;
};

// What one input holds: its documents in input order (a plain text, or an
// annotated file read without looking at its documents, is one), and how
// often a missing lemma was replaced by the word form.
struct Corpus {
  std::vector<Document> documents;
  std::size_t lemmaFallbacks = 0;
};

}  // namespace tokshuf::rank
