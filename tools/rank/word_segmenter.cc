#include "rank/word_segmenter.h"

#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/ubrk.h>
#include <unicode/unistr.h>

#include <stdexcept>

namespace tokshuf::rank {
namespace {

void throwOnFailure(UErrorCode status, const char* what) {
  if (U_FAILURE(status)) {
    throw std::runtime_error(std::string("ICU cannot ") + what + ": " +
                             u_errorName(status));
  }
}

// ICU reports the kind of the segment that ends at the current boundary as
// a rule status in fixed ranges; see ubrk.h.
bool isWanted(int32_t status, bool keepNumbers) {
  if (status >= UBRK_WORD_LETTER && status < UBRK_WORD_IDEO_LIMIT) return true;
  return keepNumbers && status >= UBRK_WORD_NUMBER &&
         status < UBRK_WORD_NUMBER_LIMIT;
}

}  // namespace

WordSegmenter::WordSegmenter(SegmenterOptions options) : options_(options) {
  UErrorCode status = U_ZERO_ERROR;
  nfc_ = icu::Normalizer2::getNFCInstance(status);
  throwOnFailure(status, "load the NFC normalizer");
  // The root locale: boundaries follow the script of the text, not the
  // user's environment, so a run is the same on every machine.
  breaker_.reset(
      icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
  throwOnFailure(status, "create a word break iterator");
}

WordSegmenter::~WordSegmenter() = default;

std::vector<std::string> WordSegmenter::words(std::string_view utf8) const {
  UErrorCode status = U_ZERO_ERROR;
  // Canonically equivalent spellings (a precomposed "ü" and "u" with a
  // combining diaeresis) must count as one word type.
  const icu::UnicodeString text = nfc_->normalize(
      icu::UnicodeString::fromUTF8(
          icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size()))),
      status);
  throwOnFailure(status, "normalize the text");

  breaker_->setText(text);
  std::vector<std::string> result;
  int32_t start = breaker_->first();
  for (int32_t end = breaker_->next(); end != icu::BreakIterator::DONE;
       start = end, end = breaker_->next()) {
    if (!isWanted(breaker_->getRuleStatus(), options_.keepNumbers)) continue;
    icu::UnicodeString word(text, start, end - start);
    if (!options_.keepCase) word.foldCase();
    std::string bytes;
    result.push_back(word.toUTF8String(bytes));
  }
  return result;
}

}  // namespace tokshuf::rank
