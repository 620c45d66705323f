#pragma once

#include <cstdio>

namespace tokshuf {

// Writes the usage text (18 lines) to out.
void help(std::FILE* out);

}  // namespace tokshuf
