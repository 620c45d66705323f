#pragma once

#include <cstdio>

namespace tokshuf {

// Writes the usage text (18 lines) to out.
void help(std::FILE* out);

// --help: the usage text on standard output, followed by the long options.
// Throws FatalError when standard output cannot be written.
void printUsage();

// --version: "tokshuf " and the project version on standard output, with
// the same check.
void printVersion();

}  // namespace tokshuf
