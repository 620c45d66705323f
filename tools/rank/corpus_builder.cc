#include "rank/corpus_builder.h"

namespace tokshuf::rank {

CorpusBuilder::CorpusBuilder(bool splitDocuments, bool keepCase)
    : splitDocuments_(splitDocuments), normalizer_(keepCase) {
  corpus_.documents.emplace_back();
}

void CorpusBuilder::startDocument(std::string id) {
  if (!splitDocuments_) return;
  Document& first = corpus_.documents.front();
  if (!documentStarted_ && first.tokens.tokens().empty()) {
    first.id = std::move(id);
  } else {
    corpus_.documents.push_back(Document{std::move(id), TokenIds()});
  }
  documentStarted_ = true;
}

void CorpusBuilder::addWord(std::string_view word) {
  std::string normalized = normalizer_.normalize(word);
  // A ranked-token file separates its fields by white space, and an
  // annotation may put a space inside a word; a no-break space keeps the
  // word one field and still shows it.
  for (std::size_t at = normalized.find_first_of(" \t\v\f\r\n"); at != std::string::npos;
       at = normalized.find_first_of(" \t\v\f\r\n", at)) {
    normalized.replace(at, 1, "\u00A0");
  }
  corpus_.documents.back().tokens.add(std::move(normalized));
}

Corpus CorpusBuilder::finish() { return std::move(corpus_); }

}  // namespace tokshuf::rank
