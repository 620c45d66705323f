#include "rank/utf8_check.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace tokshuf::rank {

std::optional<std::size_t> findInvalidUtf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  // ICU's own decoder, so that what we accept here is exactly what the
  // segmenter will later read without substitution characters.
  const int64_t length = static_cast<int64_t>(bytes.size());
  int64_t i = 0;
  while (i < length) {
    const int64_t start = i;
    UChar32 c;
    U8_NEXT(s, i, length, c);
    if (c < 0) return static_cast<std::size_t>(start);
  }
  return std::nullopt;
}

}  // namespace tokshuf::rank
