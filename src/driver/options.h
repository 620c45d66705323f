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
  bool helpRequested = false;
};

// Scans the option groups before the first argument that does not begin
// with '-', which is the input file name; later arguments are ignored.
// Throws FatalError for an unknown option letter or a value out of range.
CommandLine scanOptions(int argc, char** argv);

}  // namespace tokshuf
