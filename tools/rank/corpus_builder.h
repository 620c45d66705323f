#pragma once

#include <string>
#include <string_view>

#include "rank/corpus.h"
#include "rank/word_normalizer.h"

namespace tokshuf::rank {

// Collects the words an annotated file gives, document by document.
// Words before the first document start form a document without an id,
// which is left out when it has no words.
class CorpusBuilder {
 public:
  // With splitDocuments false, document starts are ignored and the whole
  // input is one document.
  CorpusBuilder(bool splitDocuments, bool keepCase);

  void startDocument(std::string id);
  // word is well-formed UTF-8 and not empty.
  void addWord(std::string_view word);
  void countLemmaFallback() { ++corpus_.lemmaFallbacks; }

  Corpus finish();

 private:
  bool splitDocuments_;
  WordNormalizer normalizer_;
  Corpus corpus_;
  bool documentStarted_ = false;  // else the first document is the words before any start
};

}  // namespace tokshuf::rank
