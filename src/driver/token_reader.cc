#include "driver/token_reader.h"

#include <algorithm>
#include <climits>
#include <new>
#include <vector>
#include <string>

#include "common/fatal_error.h"
#include "common/limits.h"
#include "util/printable.h"

namespace tokshuf {
namespace {

bool isSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' ||
         c == '\f';
}

// The beginning of a field as a one-line message shows it (see
// util::printable); only as much of the field is kept.
class ShownField {
 public:
  void add(int c) {
    if (bytes_.size() <= kShown) bytes_.push_back(char(c));
    ++length_;
  }
  long length() const { return length_; }
  std::string text() const { return util::printable(bytes_, kShown); }

 private:
  static constexpr std::size_t kShown = 40;
  std::string bytes_;
  long length_ = 0;
};

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

  // Reads one field of any length and content; returns as much of it as a
  // message shows.
  std::string readField() {
    ShownField shown;
    int c;
    while ((c = next()) != EOF && !isSpace(c)) shown.add(c);
    if (c != EOF) std::ungetc(c, file_);
    return shown.text();
  }

  // Reads a rank field: an optionally signed decimal integer making up the
  // whole field, of any length.
  struct RankField {
    std::string shown;
    bool isInteger = false;
    long long value = 0;  // saturates beyond the int range
  };
  RankField readRankField() {
    RankField field;
    ShownField shown;
    bool negative = false;
    bool nonDigit = false;
    long digits = 0;
    int c;
    while ((c = next()) != EOF && !isSpace(c)) {
      if (shown.length() == 0 && (c == '+' || c == '-')) {
        negative = c == '-';
      } else if (c >= '0' && c <= '9') {
        ++digits;
        field.value = std::min(field.value * 10 + (c - '0'), kSaturated);
      } else {
        nonDigit = true;
      }
      shown.add(c);
    }
    if (c != EOF) std::ungetc(c, file_);
    field.shown = shown.text();
    field.isInteger = digits > 0 && !nonDigit;
    if (negative) field.value = -field.value;
    return field;
  }

  long line() const { return line_; }
  const char* name() const { return name_; }

 private:
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

// The word field before a rank field, for the messages about that rank.
struct WordField {
  std::string shown;
  long line = 0;
};

// A bad rank field on a later line than its word most likely means that the
// word's own line lacks its rank and the next record's word was read in its
// place: name that word too, so the user finds the record to mend.
std::string missingRankHint(const WordField& word, long rankLine) {
  if (rankLine == word.line) return "";
  return formatString(" (the word \"%s\" on line %ld lacks its rank)",
                      word.shown.c_str(), word.line);
}

int readRank(FieldScanner& in, const WordField& word) {
  if (!in.skipSpace()) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: missing rank field after the last word\n",
        in.name(), word.line));
  }
  const long line = in.line();
  const FieldScanner::RankField field = in.readRankField();
  if (!field.isInteger || field.value > INT_MAX || field.value < INT_MIN) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: rank field \"%s\" is not a decimal integer "
        "that fits an int%s\n",
        in.name(), line, field.shown.c_str(),
        missingRankHint(word, line).c_str()));
  }
  if (field.value < 1) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: rank field \"%s\" is below 1%s\n", in.name(),
        line, field.shown.c_str(), missingRankHint(word, line).c_str()));
  }
  return int(field.value);
}

[[noreturn]] void refuseLength(const FieldScanner& in, long line, const TextLimits& limits) {
  if (limits.kind == TextLimits::Kind::kClassic) {
    throw FatalError("tokshuf: ERROR: text length exceeds array bounds\n");
  }
  if (limits.kind == TextLimits::Kind::kLiteralStream) {
    throw FatalError(formatString(
        "tokshuf: %s, line %ld: more than %d tokens: the fixed random stream draws "
        "single-precision numbers, which cannot reach every position of a longer text; "
        "--seed gives independent runs that can\n",
        in.name(), line, limits.maxTokens));
  }
  throw FatalError(formatString("tokshuf: %s, line %ld: more than %d tokens; a longer text "
                                "cannot be counted\n",
                                in.name(), line, limits.maxTokens));
}

// Room for the next token; a long text grows in large steps, and running
// out of memory says how much was asked for.
void makeRoom(std::vector<int>& ranks) {
  if (ranks.size() < ranks.capacity()) return;
  const std::size_t wanted = ranks.capacity() * 2;
  try {
    ranks.reserve(wanted);
  } catch (const std::bad_alloc&) {
    throw FatalError(formatString("tokshuf: out of memory (%zu bytes asked for)\n",
                                  wanted * sizeof(int)));
  }
}

}  // namespace

TextLimits TextLimits::of(const Settings& settings) {
  if (!settings.noLimits) return TextLimits();
  if (!settings.seed) return {Kind::kLiteralStream, kMaxLiteralStreamTokens};
  return {Kind::kSeededStream, INT_MAX - 1};  // positions 1..N and N + 1 fit an int
}

Text readRankedTokens(std::FILE* file, const char* name, bool hasHeader,
                      const TextLimits& limits) {
  FieldScanner in(file, name);
  if (hasHeader) {
    for (int field = 0; field < 2 && in.skipSpace(); ++field) in.readField();
  }
  Text text;
  text.ranks.reserve(1024);
  const int maxTokens = limits.maxTokens;
  const bool classic = limits.kind == TextLimits::Kind::kClassic;
  while (in.skipSpace()) {
    WordField word;
    word.line = in.line();
    word.shown = in.readField();
    if (text.N == maxTokens) refuseLength(in, word.line, limits);
    const int rank = readRank(in, word);
    if (classic && rank > kMaxRank) {
      throw FatalError("tokshuf: ERROR: number of types exceeds array bounds\n");
    }
    makeRoom(text.ranks);
    text.ranks.push_back(rank);
    ++text.N;
    if (rank == 1) ++text.rankOneCount;
  }
  return text;
}

}  // namespace tokshuf
