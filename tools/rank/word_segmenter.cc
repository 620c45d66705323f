#include "rank/word_segmenter.h"

#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include "rank/icu_status.h"

namespace tokshuf::rank {
namespace {

bool hasLetter(const icu::UnicodeString& text, int32_t start, int32_t end) {
  for (int32_t i = start; i < end; i = text.moveIndex32(i, 1)) {
    if (u_isUAlphabetic(text.char32At(i))) return true;
  }
  return false;
}

// ICU reports the kind of the segment that ends at the current boundary as
// a rule status in fixed ranges; see ubrk.h. The status follows the
// segment's last character, so "mp3" and "route66" come out as numbers
// although they are words that merely end in a digit: a "number" with a
// letter in it is a letter word.
bool isWanted(int32_t status, const icu::UnicodeString& text, int32_t start, int32_t end,
              bool keepNumbers) {
  if (status >= UBRK_WORD_LETTER && status < UBRK_WORD_IDEO_LIMIT) return true;
  if (status < UBRK_WORD_NUMBER || status >= UBRK_WORD_NUMBER_LIMIT) return false;
  return keepNumbers || hasLetter(text, start, end);
}

}  // namespace

WordSegmenter::WordSegmenter(SegmenterOptions options) : options_(options) {
  UErrorCode status = U_ZERO_ERROR;
  nfc_ = icu::Normalizer2::getNFCInstance(status);
  throwOnIcuFailure(status, "load the NFC normalizer");
  // The root locale: boundaries follow the script of the text, not the
  // user's environment, so a run is the same on every machine.
  breaker_.reset(
      icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
  throwOnIcuFailure(status, "create a word break iterator");
}

WordSegmenter::~WordSegmenter() = default;

std::vector<std::string> WordSegmenter::words(std::string_view utf8) const {
  UErrorCode status = U_ZERO_ERROR;
  // Canonically equivalent spellings (a precomposed "ü" and "u" with a
  // combining diaeresis) must count as one word type.
  const icu::UnicodeString decoded = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  throwIfBogus(decoded);
  const icu::UnicodeString text = nfc_->normalize(decoded, status);
  throwOnIcuFailure(status, "normalize the text");
  throwIfBogus(text);

  breaker_->setText(text);
  std::vector<std::string> result;
  int32_t start = breaker_->first();
  for (int32_t end = breaker_->next(); end != icu::BreakIterator::DONE;
       start = end, end = breaker_->next()) {
    if (!isWanted(breaker_->getRuleStatus(), text, start, end, options_.keepNumbers)) {
      continue;
    }
    icu::UnicodeString word(text, start, end - start);
    if (!options_.keepCase) word.foldCase();
    throwIfBogus(word);
    std::string bytes;
    result.push_back(word.toUTF8String(bytes));
  }
  return result;
}

}  // namespace tokshuf::rank
