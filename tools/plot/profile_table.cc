#include "plot/profile_table.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tokshuf::plot {

const std::array<const char*, kMeasureCount + 1> kColumnLabels = {
    "N", "K",  "D", "V",  "V1", "V2", "V3", "V4", "V5",   "R",      "W",      "S", "H",
    "C", "E", "lM", "lSt", "b", "c",  "a1", "Z",  "fa", "fthe", "sLmean", "sLstdev"};

namespace {

std::vector<std::string> fieldsOf(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

[[noreturn]] void fail(const std::string& path, int line, const std::string& what) {
  throw ProfileError(path + ":" + std::to_string(line) + ": " + what);
}

void checkHeader(const std::vector<std::string>& fields, const std::string& path) {
  bool same = fields.size() == kColumnLabels.size();
  for (std::size_t i = 0; same && i < fields.size(); ++i) same = fields[i] == kColumnLabels[i];
  if (!same) fail(path, 1, "not a profile header (expected \"N K D V ... sLstdev\")");
}

long long parseTokenCount(const std::string& field, const std::string& path, int line) {
  long long value = 0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 0) {
    fail(path, line, "cannot read token count \"" + field + "\"");
  }
  return value;
}

// from_chars reads "nan", "-nan", "inf" and "-inf" as printf writes them,
// and, unlike strtod, ignores the locale.
double parseValue(const std::string& field, int column, const std::string& path, int line) {
  double value = 0;
  const char* end = field.data() + field.size();
  auto [ptr, ec] = std::from_chars(field.data(), end, value);
  // Out of range still yields a usable infinity or zero; anything else
  // that stops early is not a number.
  if ((ec != std::errc() && ec != std::errc::result_out_of_range) || ptr != end) {
    fail(path, line, std::string("cannot read \"") + field + "\" as a number in column " +
                         kColumnLabels[column]);
  }
  return value;
}

ProfileRow parseRow(const std::vector<std::string>& fields, const std::string& path, int line) {
  if (fields.size() != kColumnLabels.size()) {
    fail(path, line, "expected " + std::to_string(kColumnLabels.size()) + " fields, found " +
                         std::to_string(fields.size()));
  }
  ProfileRow row;
  row.line = line;
  row.tokens = parseTokenCount(fields[0], path, line);
  for (int i = 0; i < kMeasureCount; ++i) {
    row.values[i] = parseValue(fields[i + 1], i + 1, path, line);
  }
  return row;
}

}  // namespace

ProfileTable parseProfile(std::istream& in, const std::string& path) {
  ProfileTable table{path, {}};
  std::string line;
  if (!std::getline(in, line)) throw ProfileError(path + ": empty file, no profile header");
  checkHeader(fieldsOf(line), path);
  for (int number = 2; std::getline(in, line); ++number) {
    const std::vector<std::string> fields = fieldsOf(line);
    if (fields.empty()) continue;  // a stray blank line carries no row
    table.rows.push_back(parseRow(fields, path, number));
  }
  if (table.rows.empty()) throw ProfileError(path + ":2: no data rows after the header");
  return table;
}

ProfileTable readProfile(const std::string& path) {
  if (std::filesystem::is_directory(path)) throw ProfileError(path + " is a directory");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ProfileError("cannot open " + path + ": " + std::strerror(errno));
  return parseProfile(in, path);
}

}  // namespace tokshuf::plot
