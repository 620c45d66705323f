#include "driver/token_reader.h"

#include <cerrno>
#include <climits>
#include <string>

#include "common/fatal_error.h"
#include "common/limits.h"

namespace tokshuf {
namespace {

bool isSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' ||
         c == '\f';
}

// Field scanner over a stdio stream that keeps the line number.
class FieldScanner {
 public:
  FieldScanner(std::FILE* file, const char* name) : file_(file), name_(name) {}

  // Skips white space; false at end of input.
  bool skipSpace() {
    int c;
    while ((c = next()) != EOF) {
      if (!isSpace(c)) {
        std::ungetc(c, file_);
        return true;
      }
      if (c == '\n') ++line_;
    }
    return false;
  }

  // Skips one field of any length and content.
  void skipField() {
    int c;
    while ((c = next()) != EOF && !isSpace(c)) {
    }
    if (c != EOF) std::ungetc(c, file_);
  }

  // Reads one field, keeping at most kKept bytes of it for messages.
  std::string readField(bool* truncated) {
    std::string field;
    *truncated = false;
    int c;
    while ((c = next()) != EOF && !isSpace(c)) {
      if (field.size() < kKept) {
        field.push_back(char(c));
      } else {
        *truncated = true;
      }
    }
    if (c != EOF) std::ungetc(c, file_);
    return field;
  }

  long line() const { return line_; }
  const char* name() const { return name_; }

 private:
  static constexpr std::size_t kKept = 40;

  int next() {
    const int c = std::getc(file_);
    if (c == EOF && std::ferror(file_)) {
      throw FatalError(formatString("tokshuf: can't read %s\n", name_));
    }
    return c;
  }

  std::FILE* file_;
  const char* name_;
  long line_ = 1;
};

// Shows a field in a message on one line: control and non-ASCII bytes
// become '?'.
std::string printable(const std::string& field, bool truncated) {
  std::string shown;
  for (unsigned char c : field) shown.push_back(c >= 0x20 && c < 0x7f ? char(c) : '?');
  if (truncated) shown += "...";
  return shown;
}

// Parses an optionally signed decimal integer that makes up the whole
// field; false when the field is not one or does not fit an int.
bool parseRank(const std::string& field, bool truncated, long long* value) {
  if (truncated || field.empty()) return false;
  std::size_t i = 0;
  bool negative = false;
  if (field[0] == '+' || field[0] == '-') {
    negative = field[0] == '-';
    i = 1;
  }
  if (i == field.size()) return false;
  long long v = 0;
  for (; i < field.size(); ++i) {
    if (field[i] < '0' || field[i] > '9') return false;
    v = v * 10 + (field[i] - '0');
    if (v > INT_MAX + 1LL) return false;
  }
  *value = negative ? -v : v;
  return *value >= INT_MIN && *value <= INT_MAX;
}

int readRank(FieldScanner& in) {
  if (!in.skipSpace()) {
    throw FatalError(formatString("tokshuf: %s, line %ld: missing rank field\n",
                                  in.name(), in.line()));
  }
  const long line = in.line();
  bool truncated = false;
  const std::string field = in.readField(&truncated);
  long long rank = 0;
  if (!parseRank(field, truncated, &rank)) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: rank field \"%s\" is not a decimal integer\n",
        in.name(), line, printable(field, truncated).c_str()));
  }
  if (rank < 1) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: rank field \"%s\" is below 1\n", in.name(),
        line, field.c_str()));
  }
  return int(rank);
}

}  // namespace

Text readRankedTokens(std::FILE* file, const char* name, int header) {
  FieldScanner in(file, name);
  if (header == 1) {
    for (int field = 0; field < 2 && in.skipSpace(); ++field) in.skipField();
  }
  Text text;
  text.TEXT.reserve(1024);
  while (in.skipSpace()) {
    in.skipField();
    if (text.N == kMaxTokens) {
      throw FatalError("tokshuf: ERROR: text length exceeds array bounds\n");
    }
    const int rank = readRank(in);
    if (rank > kMaxRank) {
      throw FatalError("tokshuf: ERROR: number of types exceeds array bounds\n");
    }
    text.TEXT.push_back(rank);
    ++text.N;
    if (rank == 1) ++text.gmMax;
  }
  return text;
}

}  // namespace tokshuf
