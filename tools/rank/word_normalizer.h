#pragma once

#include <unicode/normalizer2.h>

#include <string>
#include <string_view>

namespace tokshuf::rank {

// Brings a word that an annotation already delimits into the form a plain
// text's words take: Unicode normalization form C, then full case folding
// unless the case is to be kept. The word is not segmented again.
class WordNormalizer {
 public:
  explicit WordNormalizer(bool keepCase);

  // word must be well-formed UTF-8.
  std::string normalize(std::string_view word) const;

 private:
  bool keepCase_;
  const icu::Normalizer2* nfc_;
};

}  // namespace tokshuf::rank
