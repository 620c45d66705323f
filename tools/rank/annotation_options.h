#pragma once

#include <string>
#include <vector>

namespace tokshuf::rank {

enum class ConlluField { kForm, kLemma };

// How the words of an annotated file are chosen.
struct AnnotationOptions {
  ConlluField field = ConlluField::kForm;  // CoNLL-U: the column counted
  bool lemmaFallback = false;              // CoNLL-U: lemma "_" takes the form
  int column = 1;                          // vertical: the word's column, from 1
  int tagColumn = 0;                       // vertical: the tag column, 0 for none
  std::vector<std::string> drop;           // tokens with these tags are left out
  bool splitDocuments = false;             // one Document per document of the file
  bool keepCase = false;
};

}  // namespace tokshuf::rank
