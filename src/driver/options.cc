#include "driver/options.h"

#include <climits>
#include <cstring>
#include <string>

#include "common/fatal_error.h"
#include "common/limits.h"

namespace tokshuf {
namespace {

// Applies one option letter at *s; returns how many digits it consumed.
int applyLetter(const char* s, CommandLine& line) {
  Settings& settings = line.settings;
  int digits = 0;
  bool overflow = false;
  switch (*s) {
    case 'k': case 'p': case 'c': case 't': case 'a': {
      const int value = readOptionValue(s, &digits, &overflow);
      if (overflow) {
        throw FatalError(formatString(
            "tokshuf: value of option -%c does not fit an int: %.*s\n", *s,
            digits, s + 1));
      }
      if (*s == 'k') settings.nchunks = value;
      if (*s == 'p') settings.nperm = value;
      if (*s == 'c') settings.confidenceLevel = value;
      if (*s == 't') settings.rankThe = value;
      if (*s == 'a') settings.rankA = value;
      return digits;
    }
    case 'z': settings.globalPstar = true; return 0;
    case 'H': settings.hasHeader = false; return 0;
    case 'h': line.helpRequested = true; return 0;
    default:
      throw FatalError(formatString("tokshuf: illegal option %c\n", *s));
  }
}

bool isDigitsOnly(const char* s) {
  if (*s == '\0') return false;
  for (; *s != '\0'; ++s) {
    if (*s < '0' || *s > '9') return false;
  }
  return true;
}

// "-p 1000" would silently run with no permutations and take 1000 for the
// input file; refuse it and show the form that was meant.
void refuseSeparatedValue(const char* letter, const char* group,
                          const char* next) {
  const bool takesValue = std::strchr("kpcta", *letter) != nullptr;
  if (takesValue && letter[1] == '\0' && next != nullptr && isDigitsOnly(next)) {
    throw FatalError(formatString(
        "tokshuf: write the value right after its letter: %s%s\n", group, next));
  }
}

void checkRanges(const Settings& s) {
  if (s.nchunks < 1 || s.nchunks > kMaxChunks) {
    throw FatalError(formatString(
        "tokshuf: number of chunks (-k) must be 1 to %d, not %d\n", kMaxChunks,
        s.nchunks));
  }
  if (s.nperm < 0 || s.nperm > kMaxPermutations) {
    throw FatalError(formatString(
        "tokshuf: number of permutation runs (-p) must be 0 to %d, not %d\n",
        kMaxPermutations, s.nperm));
  }
  if (s.confidenceLevel < 0 || s.confidenceLevel > 100) {
    throw FatalError(formatString(
        "tokshuf: confidence level (-c) must be 0 to 100, not %d\n",
        s.confidenceLevel));
  }
}

}  // namespace

int readOptionValue(const char* s, int* digitCount, bool* overflow) {
  *digitCount = 0;
  *overflow = false;
  long long value = 0;
  for (const char* c = s + 1; *c >= '0' && *c <= '9'; ++c) {
    value = value * 10 + (*c - '0');
    if (value > INT_MAX) {
      *overflow = true;
      value = INT_MAX;  // keeps reading the digits without overflowing
    }
    ++*digitCount;
  }
  return int(value);
}

CommandLine scanOptions(int argc, char** argv) {
  CommandLine line;
  int arg = 1;
  for (; arg < argc && argv[arg][0] == '-'; ++arg) {
    if (std::strcmp(argv[arg], "--help") == 0) {
      line.helpToStandardOutput = true;
      return line;
    }
    if (std::strcmp(argv[arg], "--version") == 0) {
      line.versionRequested = true;
      return line;
    }
    const char* next = arg + 1 < argc ? argv[arg + 1] : nullptr;
    for (const char* s = argv[arg] + 1; *s != '\0'; ++s) {
      const int digits = applyLetter(s, line);
      if (line.helpRequested) return line;
      if (digits == 0) refuseSeparatedValue(s, argv[arg], next);
      s += digits;
    }
  }
  if (arg < argc) line.inputName = argv[arg];
  if (line.inputName != nullptr) checkRanges(line.settings);
  return line;
}

}  // namespace tokshuf
