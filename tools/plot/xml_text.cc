#include "plot/xml_text.h"

namespace tokshuf::plot {

std::string xmlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default:
        // Control characters are not allowed in XML 1.0 at all.
        escaped += (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') ? '?' : c;
    }
  }
  return escaped;
}

}  // namespace tokshuf::plot
