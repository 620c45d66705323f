#include "plot/profile_table.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "plot/text_lines.h"
#include "util/printable.h"

namespace tokshuf::plot {

std::vector<int> classicMeasures() {
  std::vector<int> measures;
  for (int measure = 1; measure <= kMeasureCount; ++measure) measures.push_back(measure);
  return measures;
}

bool ProfileTable::has(int measure) const {
  return std::find(measures.begin(), measures.end(), measure) != measures.end();
}

namespace {

// What a default run writes: the message for a header that is not one.
constexpr const char* kNotAHeader = "not a profile header (expected \"N K D V ... sLstdev\")";

// "N", then the labels of known measures, each once, in any order.
std::vector<int> measuresOfHeader(const std::vector<std::string_view>& fields,
                                  const std::string& path) {
  if (fields.size() < 2 || fields[0] != "N") failAt(path, 1, kNotAHeader);
  std::vector<int> measures;
  for (std::size_t i = 1; i < fields.size(); ++i) {
    const std::optional<int> measure = schema::measureOfLabel(fields[i]);
    if (!measure) {
      failAt(path, 1, "unknown measure \"" + util::printable(fields[i]) + "\" in the header");
    }
    if (std::find(measures.begin(), measures.end(), *measure) != measures.end()) {
      failAt(path, 1, std::string("measure ") + schema::measureLabel(*measure) +
                          " appears twice in the header");
    }
    measures.push_back(*measure);
  }
  return measures;
}

long long parseTokenCount(std::string_view field, const std::string& path, int line) {
  long long value = 0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 0) {
    failAt(path, line, "cannot read token count \"" + util::printable(field) + "\"");
  }
  return value;
}

// from_chars reads "nan", "-nan", "inf" and "-inf" as printf writes them,
// and, unlike strtod, ignores the locale. A finite number too large or too
// small for a double is refused rather than replaced by something else.
double parseValue(std::string_view field, int measure, const std::string& path, int line) {
  double value = 0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (ec == std::errc::result_out_of_range && ptr == end) {
    failAt(path, line,
           "the number \"" + util::printable(field) + "\" in column " +
               schema::measureLabel(measure) + " is out of the range of a double");
  }
  if (ec != std::errc() || ptr != end) {
    failAt(path, line,
           "cannot read \"" + util::printable(field) + "\" as a number in column " +
               schema::measureLabel(measure));
  }
  return value;
}

ProfileRow parseRow(const std::vector<std::string_view>& fields, const ProfileTable& table,
                    int line) {
  const std::size_t width = table.measures.size() + 1;
  if (fields.size() != width) {
    failAt(table.path, line,
           "expected " + std::to_string(width) + " fields, found " +
               std::to_string(fields.size()));
  }
  ProfileRow row;
  row.line = line;
  row.tokens = parseTokenCount(fields[0], table.path, line);
  for (std::size_t i = 1; i < width; ++i) {
    const int measure = table.measures[i - 1];
    row.values[measure - 1] = parseValue(fields[i], measure, table.path, line);
    row.texts[measure - 1] = fields[i];
  }
  return row;
}

// Rows as wide as a default run's under a header of another width: what
// was cut or damaged is the header, not every row below it.
bool classicRowsUnderOtherHeader(const std::vector<std::string_view>& fields,
                                 const ProfileTable& table) {
  return table.rows.empty() && fields.size() == kColumnLabels.size() &&
         table.measures.size() + 1 != kColumnLabels.size();
}

}  // namespace

ProfileTable parseProfile(std::istream& in, const std::string& path) {
  ProfileTable table{path, {}};
  std::string line;
  if (!readLine(in, line, path)) {
    throw ProfileError(util::printable(path) + ": empty file, no profile header");
  }
  table.measures = measuresOfHeader(fieldsOf(line), path);
  for (int number = 2; readLine(in, line, path); ++number) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.empty()) continue;  // a stray blank line carries no row
    if (table.rows.size() == kMaxChunkRows) {
      failAt(path, number,
             "more than " + std::to_string(kMaxChunkRows) +
                 " chunk rows; tokshuf writes at most " + std::to_string(kMaxChunkRows));
    }
    if (classicRowsUnderOtherHeader(fields, table)) failAt(path, 1, kNotAHeader);
    table.rows.push_back(parseRow(fields, table, number));
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
