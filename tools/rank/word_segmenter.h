#pragma once

#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tokshuf::rank {

struct SegmenterOptions {
  bool keepNumbers = false;  // keep words ICU classes as numbers ("1914")
  bool keepCase = false;     // skip case folding
};

// Splits a text into the words a lexical count should see: Unicode word
// boundaries (UAX #29, with ICU's dictionaries for scripts written without
// spaces), keeping the segments ICU classes as letter, kana or ideographic
// words. Punctuation and white space never form a word.
class WordSegmenter {
 public:
  explicit WordSegmenter(SegmenterOptions options);
  ~WordSegmenter();
  WordSegmenter(const WordSegmenter&) = delete;
  WordSegmenter& operator=(const WordSegmenter&) = delete;

  // The words of a well-formed UTF-8 text, in text order, as UTF-8.
  std::vector<std::string> words(std::string_view utf8) const;

 private:
  SegmenterOptions options_;
  const icu::Normalizer2* nfc_;
  std::unique_ptr<icu::BreakIterator> breaker_;
};

}  // namespace tokshuf::rank
