#include "rank/document_files.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <map>
#include <stdexcept>

#include "util/printable.h"

namespace tokshuf::rank {
namespace {

// File names may have 255 bytes; this leaves room for ".zvc" and the
// temporary name an output is first written to.
constexpr std::size_t kMaxNameBytes = 200;

bool keptAsIs(UChar32 c, bool first) {
  if (c == '.') return !first;
  if (c == '-' || c == '_') return true;
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  // Letters, digits and the marks that belong to them; never spaces,
  // controls or the format characters that reorder what a terminal shows.
  return u_isalnum(c) || (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0;
}

// The start of text holding at most maxBytes, not ending inside a UTF-8
// sequence (the ids are valid UTF-8).
std::string_view cutAtCharacter(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace

std::string safeFileName(std::string_view id) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string name;
  const auto* bytes = reinterpret_cast<const uint8_t*>(id.data());
  const auto length = static_cast<int32_t>(id.size());
  for (int32_t i = 0; i < length;) {
    const int32_t start = i;
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    if (c >= 0 && keptAsIs(c, start == 0)) {
      name.append(id.substr(start, i - start));
      continue;
    }
    for (int32_t at = start; at < i; ++at) {
      name += '%';
      name += kHex[bytes[at] >> 4];
      name += kHex[bytes[at] & 0x0F];
    }
  }
  return std::string(cutAtCharacter(name, kMaxNameBytes));
}

std::vector<std::string> documentFiles(const std::vector<Document>& documents,
                                       const std::string& directory, const std::string& inputName) {
  std::vector<std::string> files;
  std::map<std::string, std::size_t> documentOfName;
  for (std::size_t i = 0; i < documents.size(); ++i) {
    const std::string& id = documents[i].id;
    const std::string name = id.empty() ? std::to_string(i + 1) : safeFileName(id);
    const auto [earlier, isNew] = documentOfName.emplace(name, i);
    if (!isNew) {
      throw std::runtime_error(inputName + ": documents " + std::to_string(earlier->second + 1) +
                               " and " + std::to_string(i + 1) + " would both be written to " +
                               util::printable(name) + ".zvc (ids \"" +
                               util::printable(documents[earlier->second].id) + "\" and \"" +
                               util::printable(id) + "\")");
    }
    files.push_back(directory + "/" + name + ".zvc");
  }
  return files;
}

}  // namespace tokshuf::rank
