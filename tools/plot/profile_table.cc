#include "plot/profile_table.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "util/printable.h"

namespace tokshuf::plot {

namespace {

// The fields of a line are views into it: a line may be huge, and copying
// it field by field would hold it several times over.
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

[[noreturn]] void fail(const std::string& path, int line, const std::string& what) {
  throw ProfileError(util::printable(path) + ":" + std::to_string(line) + ": " + what);
}

void checkHeader(const std::vector<std::string_view>& fields, const std::string& path) {
  bool same = fields.size() == kColumnLabels.size();
  for (std::size_t i = 0; same && i < fields.size(); ++i) same = fields[i] == kColumnLabels[i];
  if (!same) fail(path, 1, "not a profile header (expected \"N K D V ... sLstdev\")");
}

long long parseTokenCount(std::string_view field, const std::string& path, int line) {
  long long value = 0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 0) {
    fail(path, line, "cannot read token count \"" + util::printable(field) + "\"");
  }
  return value;
}

// from_chars reads "nan", "-nan", "inf" and "-inf" as printf writes them,
// and, unlike strtod, ignores the locale. A finite number too large or too
// small for a double is refused rather than replaced by something else.
double parseValue(std::string_view field, int column, const std::string& path, int line) {
  double value = 0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (ec == std::errc::result_out_of_range && ptr == end) {
    fail(path, line,
         "the number \"" + util::printable(field) + "\" in column " + kColumnLabels[column] +
             " is out of the range of a double");
  }
  if (ec != std::errc() || ptr != end) {
    fail(path, line,
         "cannot read \"" + util::printable(field) + "\" as a number in column " +
             kColumnLabels[column]);
  }
  return value;
}

ProfileRow parseRow(const std::vector<std::string_view>& fields, const std::string& path,
                    int line) {
  if (fields.size() != kColumnLabels.size()) {
    fail(path, line,
         "expected " + std::to_string(kColumnLabels.size()) + " fields, found " +
             std::to_string(fields.size()));
  }
  ProfileRow row;
  row.line = line;
  row.tokens = parseTokenCount(fields[0], path, line);
  for (int i = 0; i < kMeasureCount; ++i) {
    row.values[i] = parseValue(fields[i + 1], i + 1, path, line);
    row.texts[i] = fields[i + 1];
  }
  return row;
}

// The next line, or false at the end of the file. A read error is not the
// end: what was read may be a cut-off line, and the rest is unknown.
bool readLine(std::istream& in, std::string& line, const std::string& path) {
  const bool read = static_cast<bool>(std::getline(in, line));
  if (in.bad()) throw ProfileError("cannot read " + util::printable(path));
  return read;
}

}  // namespace

ProfileTable parseProfile(std::istream& in, const std::string& path) {
  ProfileTable table{path, {}};
  std::string line;
  if (!readLine(in, line, path)) {
    throw ProfileError(util::printable(path) + ": empty file, no profile header");
  }
  checkHeader(fieldsOf(line), path);
  for (int number = 2; readLine(in, line, path); ++number) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.empty()) continue;  // a stray blank line carries no row
    if (table.rows.size() == kMaxChunkRows) {
      fail(path, number,
           "more than " + std::to_string(kMaxChunkRows) + " chunk rows; tokshuf writes at most " +
               std::to_string(kMaxChunkRows));
    }
    table.rows.push_back(parseRow(fields, path, number));
  }
  if (table.rows.empty()) {
    throw ProfileError(util::printable(path) + ":2: no data rows after the header");
  }
  return table;
}

ProfileTable readProfile(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error))
    throw ProfileError(util::printable(path) + " is a directory");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ProfileError("cannot open " + util::printable(path) + ": " + std::strerror(errno));
  return parseProfile(in, path);
}

}  // namespace tokshuf::plot
