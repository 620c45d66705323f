#include "driver/token_reader.h"

#include <algorithm>
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

  // Reads a rank field: an optionally signed decimal integer making up the
  // whole field, of any length. At most kShown bytes are kept for messages.
  struct RankField {
    std::string shown;
    bool isInteger = false;
    long long value = 0;  // saturates beyond the int range
  };
  RankField readRankField() {
    RankField field;
    bool negative = false;
    bool nonDigit = false;
    long digits = 0;
    long length = 0;
    int c;
    while ((c = next()) != EOF && !isSpace(c)) {
      if (length < long(kShown)) field.shown.push_back(c >= 0x20 && c < 0x7f ? char(c) : '?');
      if (length == 0 && (c == '+' || c == '-')) {
        negative = c == '-';
      } else if (c >= '0' && c <= '9') {
        ++digits;
        field.value = std::min(field.value * 10 + (c - '0'), kSaturated);
      } else {
        nonDigit = true;
      }
      ++length;
    }
    if (c != EOF) std::ungetc(c, file_);
    if (length > long(kShown)) field.shown += "...";
    field.isInteger = digits > 0 && !nonDigit;
    if (negative) field.value = -field.value;
    return field;
  }

  long line() const { return line_; }
  const char* name() const { return name_; }

 private:
  static constexpr std::size_t kShown = 40;
  static constexpr long long kSaturated = INT_MAX + 2LL;

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

int readRank(FieldScanner& in, long wordLine) {
  if (!in.skipSpace()) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: missing rank field after the last word\n",
        in.name(), wordLine));
  }
  const long line = in.line();
  const FieldScanner::RankField field = in.readRankField();
  if (!field.isInteger || field.value > INT_MAX || field.value < INT_MIN) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: rank field \"%s\" is not a decimal integer "
        "that fits an int\n",
        in.name(), line, field.shown.c_str()));
  }
  if (field.value < 1) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: rank field \"%s\" is below 1\n", in.name(),
        line, field.shown.c_str()));
  }
  return int(field.value);
}

}  // namespace

Text readRankedTokens(std::FILE* file, const char* name, bool hasHeader) {
  FieldScanner in(file, name);
  if (hasHeader) {
    for (int field = 0; field < 2 && in.skipSpace(); ++field) in.skipField();
  }
  Text text;
  text.ranks.reserve(1024);
  while (in.skipSpace()) {
    const long wordLine = in.line();
    in.skipField();
    if (text.N == kMaxTokens) {
      throw FatalError("tokshuf: ERROR: text length exceeds array bounds\n");
    }
    const int rank = readRank(in, wordLine);
    if (rank > kMaxRank) {
      throw FatalError("tokshuf: ERROR: number of types exceeds array bounds\n");
    }
    text.ranks.push_back(rank);
    ++text.N;
    if (rank == 1) ++text.rankOneCount;
  }
  return text;
}

}  // namespace tokshuf
