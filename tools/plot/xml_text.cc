#include "plot/xml_text.h"

namespace tokshuf::plot {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 sequence at the start of `text` and its
// code point, or length 0 when the bytes there are not valid UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
struct Decoded {
  std::size_t length = 0;
  char32_t codePoint = 0;
};

Decoded decodeUtf8(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {1, lead};
  std::size_t length = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, smallest = 0x10000;
  } else {
    return {};
  }
  if (text.size() < length) return {};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {};
    codePoint = (codePoint << 6) | (byte(i) & 0x3F);
  }
  if (codePoint < smallest || codePoint > 0x10FFFF ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return {};
  }
  return {length, codePoint};
}

// XML 1.0 allows tab, line feed and carriage return among the C0 controls,
// but a carriage return is folded away by parsers; C1 controls are
// allowed but invisible, and U+FFFE and U+FFFF are not characters.
bool shownAsIs(char32_t c) {
  if (c == '\t' || c == '\n') return true;
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
  return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

std::string xmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  while (!text.empty()) {
    const Decoded next = decodeUtf8(text);
    if (next.length == 0) {
      escaped += kReplacementCharacter;
      text.remove_prefix(1);
      continue;
    }
    switch (next.codePoint) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default:
        if (shownAsIs(next.codePoint)) {
          escaped += text.substr(0, next.length);
        } else {
          escaped += '?';
        }
    }
    text.remove_prefix(next.length);
  }
  return escaped;
}

}  // namespace tokshuf::plot
