#include "plot/global_test.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "plot/text_lines.h"
#include "util/printable.h"

namespace tokshuf::plot {
namespace {

constexpr const char* kHeader = "measure p below above left_out";
constexpr std::size_t kFields = 5;

// p is a probability, or nan where a measure had no chunk left to test.
double parseP(std::string_view field, std::string_view measure, const std::string& path,
              int line) {
  double p = 0;
  const char* end = field.data() + field.size();
  const auto [ptr, ec] = std::from_chars(field.data(), end, p);
  if (ec != std::errc() || ptr != end || !(std::isnan(p) || (p >= 0 && p <= 1))) {
    failAt(path, line,
           "cannot read p \"" + util::printable(field) + "\" of " + util::printable(measure));
  }
  return p;
}

// "none", or ascending chunk numbers and ranges "a-b" (a < b) within the
// run's chunks, separated by commas.
bool chunkList(std::string_view list, long long chunks) {
  if (list == "none") return true;
  long long last = 0;
  std::size_t at = 0;
  while (at <= list.size()) {
    std::size_t comma = list.find(',', at);
    if (comma == std::string_view::npos) comma = list.size();
    const std::string_view item = list.substr(at, comma - at);
    const std::size_t dash = item.find('-');
    const std::string_view first = item.substr(0, dash);
    const std::string_view final = dash == std::string_view::npos ? first : item.substr(dash + 1);
    long long a = 0;
    long long b = 0;
    const auto one = std::from_chars(first.data(), first.data() + first.size(), a);
    const auto two = std::from_chars(final.data(), final.data() + final.size(), b);
    if (first.empty() || final.empty() || one.ptr != first.data() + first.size() ||
        two.ptr != final.data() + final.size() || one.ec != std::errc() ||
        two.ec != std::errc() || a <= last || b > chunks ||
        (dash != std::string_view::npos && a >= b)) {
      return false;
    }
    last = b;
    at = comma + 1;
  }
  return true;
}

GlobalTestRow parseRow(const std::vector<std::string_view>& fields, const std::string& path,
                       int line, long long chunks) {
  GlobalTestRow row;
  row.pText = fields[1];
  row.p = parseP(fields[1], fields[0], path, line);
  row.below = fields[2];
  row.above = fields[3];
  row.leftOut = fields[4];
  const bool combined = fields[0] == "all";
  constexpr const char* kColumns[] = {"below", "above", "left_out"};
  for (std::size_t i = 2; i < kFields; ++i) {
    const bool readable = combined ? fields[i] == "-" : chunkList(fields[i], chunks);
    if (!readable) {
      failAt(path, line,
             "cannot read the chunk list \"" + util::printable(fields[i]) + "\" in column " +
                 kColumns[i - 2]);
    }
  }
  return row;
}

// The label a row must carry: the next column of the .obs file, then "all".
void checkMeasure(std::string_view label, const GlobalTest& test, const ProfileTable& observed,
                  int line) {
  const std::size_t index = test.measures.size();
  if (index == observed.measures.size()) {
    if (label == "all") return;
    failAt(test.path, line,
           "measure \"" + util::printable(label) + "\" after the last column of " +
               util::printable(observed.path) + "; expected the row \"all\"");
  }
  const char* expected = schema::measureLabel(observed.measures[index]);
  if (label != expected) {
    failAt(test.path, line,
           "measure \"" + util::printable(label) + "\" where " + util::printable(observed.path) +
               " has column " + expected + "; the measures do not match its header");
  }
}

}  // namespace

const GlobalTestRow* GlobalTest::find(int measure) const {
  for (const GlobalTestRow& row : measures) {
    if (row.measure == measure) return &row;
  }
  return nullptr;
}

GlobalTest parseGlobalTest(std::istream& in, const std::string& path,
                           const ProfileTable& observed) {
  GlobalTest test{path, {}, {}};
  std::string line;
  if (!readLine(in, line, path)) {
    throw ProfileError(util::printable(path) + ": empty file, no global test header");
  }
  const std::vector<std::string_view> header = fieldsOf(line);
  if (header != fieldsOf(kHeader)) {
    failAt(path, 1, std::string("not a global test header (expected \"") + kHeader + "\")");
  }
  const auto chunks = static_cast<long long>(observed.rows.size());
  bool closed = false;
  int number = 2;
  for (; readLine(in, line, path); ++number) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.empty()) continue;
    if (closed) failAt(path, number, "a row after the row \"all\"");
    if (fields.size() != kFields) {
      failAt(path, number, "expected 5 fields, found " + std::to_string(fields.size()));
    }
    checkMeasure(fields[0], test, observed, number);
    GlobalTestRow row = parseRow(fields, path, number, chunks);
    closed = fields[0] == "all";
    if (closed) {
      test.all = std::move(row);
    } else {
      row.measure = observed.measures[test.measures.size()];
      test.measures.push_back(std::move(row));
    }
  }
  if (test.measures.size() < observed.measures.size()) {
    const int missing = observed.measures[test.measures.size()];
    failAt(path, number,
           std::string("no row for ") + schema::measureLabel(missing) +
               "; the measures do not match the header of " + util::printable(observed.path));
  }
  if (!closed) failAt(path, number, "no row \"all\" after the measures");
  return test;
}

GlobalTest readGlobalTest(const std::string& path, const ProfileTable& observed) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    throw ProfileError(util::printable(path) + " is a directory");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ProfileError("cannot open " + util::printable(path) + ": " + std::strerror(errno));
  return parseGlobalTest(in, path, observed);
}

}  // namespace tokshuf::plot
