#include "plot/text_lines.h"

#include "plot/profile_table.h"
#include "util/printable.h"

namespace tokshuf::plot {

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  auto isBlank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
  };
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && isBlank(line[at])) ++at;
    const std::size_t start = at;
    while (at < line.size() && !isBlank(line[at])) ++at;
    if (at > start) fields.push_back(line.substr(start, at - start));
  }
  return fields;
}

bool readLine(std::istream& in, std::string& line, const std::string& path) {
  const bool read = static_cast<bool>(std::getline(in, line));
  if (in.bad()) throw ProfileError("cannot read " + util::printable(path));
  return read;
}

void failAt(const std::string& path, int line, const std::string& what) {
  throw ProfileError(util::printable(path) + ":" + std::to_string(line) + ": " + what);
}

}  // namespace tokshuf::plot
