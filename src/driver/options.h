#pragma once

#include "common/settings.h"

namespace tokshuf {

// Reads the decimal digits that follow the option letter at s. *digitCount
// receives the number of digits (0 when none follow; the value is then 0).
// *overflow is set when the digits do not fit an int.
int readOptionValue(const char* s, int* digitCount, bool* overflow);

struct CommandLine {
  Settings settings;
  const char* inputName = nullptr;  // null: no file name was given
  bool helpRequested = false;        // -h: the usage text as an error
  bool helpToStandardOutput = false; // --help
  bool versionRequested = false;     // --version
};

// Scans the option groups before the first argument that does not begin
// with '-', which is the input file name; later arguments are ignored.
// "--help" and "--version" are whole arguments and end the scan. Throws
// FatalError for an unknown option letter, a value out of range, or a value
// given as an argument of its own ("-p 1000").
CommandLine scanOptions(int argc, char** argv);

}  // namespace tokshuf
