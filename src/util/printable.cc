#include "util/printable.h"

#include <algorithm>

namespace tokshuf::util {
namespace {

// Length of the valid UTF-8 sequence starting at bytes[at], 0 if invalid.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  std::size_t length;
  unsigned minimum;
  unsigned codePoint;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

// Control characters: C0, DEL, and C1 (U+0080 to U+009F, whose UTF-8 form
// starts with 0xC2), which terminals take as escape sequences too.
bool isControl(std::string_view character) {
  const unsigned char lead = static_cast<unsigned char>(character[0]);
  if (character.size() == 1) return lead < 0x20 || lead == 0x7F;
  return lead == 0xC2 && static_cast<unsigned char>(character[1]) <= 0x9F;
}

}  // namespace

std::string printable(std::string_view bytes, std::size_t maxBytes) {
  std::string shown;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t length = std::max<std::size_t>(utf8SequenceLength(bytes, at), 1);
    if (at + length > maxBytes) break;
    const std::string_view character = bytes.substr(at, length);
    const bool valid = utf8SequenceLength(bytes, at) != 0;
    if (valid && !isControl(character)) {
      shown.append(character);
    } else {
      shown.push_back('?');
    }
    at += length;
  }
  if (at < bytes.size()) shown += "...";
  return shown;
}

}  // namespace tokshuf::util
