#include "rank/word_normalizer.h"

#include <unicode/unistr.h>

#include "rank/icu_status.h"

namespace tokshuf::rank {

WordNormalizer::WordNormalizer(bool keepCase) : keepCase_(keepCase) {
  UErrorCode status = U_ZERO_ERROR;
  nfc_ = icu::Normalizer2::getNFCInstance(status);
  throwOnIcuFailure(status, "load the NFC normalizer");
}

std::string WordNormalizer::normalize(std::string_view word) const {
  const icu::UnicodeString decoded = icu::UnicodeString::fromUTF8(
      icu::StringPiece(word.data(), static_cast<int32_t>(word.size())));
  throwIfBogus(decoded);
  UErrorCode status = U_ZERO_ERROR;
  icu::UnicodeString normalized = nfc_->normalize(decoded, status);
  throwOnIcuFailure(status, "normalize a word");
  if (!keepCase_) normalized.foldCase();
  throwIfBogus(normalized);
  std::string bytes;
  return normalized.toUTF8String(bytes);
}

}  // namespace tokshuf::rank
