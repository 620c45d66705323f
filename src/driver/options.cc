#include "driver/options.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "common/fatal_error.h"
#include "common/limits.h"
#include "util/printable.h"

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

[[noreturn]] void refuseValue(std::string_view option, std::string_view value,
                              const char* wanted) {
  throw FatalError(formatString("tokshuf: %.*s needs %s, not \"%s\"\n", int(option.size()),
                                option.data(), wanted, util::printable(value, 40).c_str()));
}

int wholeNumberAtLeastOne(std::string_view option, std::string_view value) {
  int number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc() || end != value.data() + value.size() || number < 1) {
    refuseValue(option, value, "a whole number of at least 1");
  }
  return number;
}

double threshold(std::string_view option, std::string_view value) {
  double number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc() || end != value.data() + value.size() || !(number > 0.0) ||
      !(number < 1.0)) {
    refuseValue(option, value, "a number between 0 and 1 (both excluded)");
  }
  return number;
}

std::uint64_t seedOf(std::string_view option, std::string_view value) {
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || value[0] < '0' || value[0] > '9' || error != std::errc() ||
      end != value.data() + value.size()) {
    refuseValue(option, value, "a decimal integer from 0 to 18446744073709551615");
  }
  return number;
}

// The long options of a run: "--name" or "--name=value", before the input
// file like the option letters. Returns false for an argument that is none
// of them, which is then read as option letters (and refused there).
bool applyLongOption(std::string_view arg, CommandLine& line) {
  Settings& settings = line.settings;
  const std::size_t equals = arg.find('=');
  const std::string_view name = arg.substr(0, equals);
  const bool hasValue = equals != std::string_view::npos;
  const std::string_view value = hasValue ? arg.substr(equals + 1) : std::string_view();
  struct Flag {
    const char* name;
    bool Settings::*setting;
  };
  for (const Flag flag : {Flag{"--no-limits", &Settings::noLimits},
                          Flag{"--runs", &Settings::writeRuns},
                          Flag{"--global", &Settings::globalTest}}) {
    if (name != flag.name) continue;
    if (hasValue) {
      throw FatalError(formatString("tokshuf: option %s takes no value\n", flag.name));
    }
    settings.*flag.setting = true;
    return true;
  }
  const char* const valued[] = {"--measures", "--window", "--segment", "--mtld-threshold",
                                "--hdd-draws", "--seed"};
  bool known = false;
  for (const char* option : valued) known = known || name == option;
  if (!known) return false;
  if (!hasValue) {
    throw FatalError(formatString("tokshuf: option %.*s needs a value: %.*s=VALUE\n",
                                  int(name.size()), name.data(), int(name.size()),
                                  name.data()));
  }
  if (name == "--measures") settings.measures = MeasureSelection::parse(value);
  if (name == "--window") settings.parameters.window = wholeNumberAtLeastOne(name, value);
  if (name == "--segment") settings.parameters.segment = wholeNumberAtLeastOne(name, value);
  if (name == "--hdd-draws") settings.parameters.hddDraws = wholeNumberAtLeastOne(name, value);
  if (name == "--mtld-threshold") settings.parameters.mtldThreshold = threshold(name, value);
  if (name == "--seed") settings.seed = seedOf(name, value);
  return true;
}

// Options that only make sense with permutation runs.
void checkNeedsPermutations(const Settings& s) {
  if (s.nperm > 0) return;
  for (const auto& [wanted, option] : {std::pair{s.writeRuns, "--runs"},
                                       std::pair{s.globalTest, "--global"}}) {
    if (wanted) {
      throw FatalError(formatString(
          "tokshuf: %s needs permutation runs: give their number with -p\n", option));
    }
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
    if (std::strncmp(argv[arg], "--", 2) == 0 && applyLongOption(argv[arg], line)) continue;
    const char* next = arg + 1 < argc ? argv[arg + 1] : nullptr;
    for (const char* s = argv[arg] + 1; *s != '\0'; ++s) {
      const int digits = applyLetter(s, line);
      if (line.helpRequested) return line;
      if (digits == 0) refuseSeparatedValue(s, argv[arg], next);
      s += digits;
    }
  }
  if (arg < argc) line.inputName = argv[arg];
  if (line.inputName != nullptr) {
    checkRanges(line.settings);
    checkNeedsPermutations(line.settings);
  }
  return line;
}

}  // namespace tokshuf
