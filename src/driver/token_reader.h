#pragma once

#include <cstdio>

#include "common/text.h"

namespace tokshuf {

// Reads a ranked-token file: an optional two-field header, then a word
// field and a rank field per token, separated by any white space. The word
// is skipped unread; ranks must be decimal integers from 1 to 22000, and at
// most 220000 tokens fit. Throws FatalError naming the file and line of the
// first bad record. name is used only in messages.
Text readRankedTokens(std::FILE* file, const char* name, bool hasHeader);

}  // namespace tokshuf
