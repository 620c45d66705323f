#pragma once

#include <cstdio>

#include "common/limits.h"
#include "common/settings.h"
#include "common/text.h"

namespace tokshuf {

// How long a text and how large a rank the reader accepts.
struct TextLimits {
  enum class Kind {
    kClassic,        // the fixed tables: 220000 tokens, ranks up to 22000
    kLiteralStream,  // --no-limits with the fixed stream: up to 2^24 tokens
    kSeededStream,   // --no-limits with --seed: as many tokens as an int counts
  };
  Kind kind = Kind::kClassic;
  int maxTokens = kMaxTokens;  // the most tokens accepted

  static TextLimits of(const Settings& settings);
};

// Above 2^24 tokens the single-precision draws of the fixed stream can no
// longer reach every partner position of a shuffle.
inline constexpr int kMaxLiteralStreamTokens = 1 << 24;

// Reads a ranked-token file: an optional two-field header, then a word
// field and a rank field per token, separated by any white space. The word
// is skipped unread; ranks must be decimal integers from 1 to 22000 (any
// int from 1 up without the classic limits), and at most 220000 tokens fit
// (or as many as the limits say). Throws FatalError naming the file and
// line of the first bad record. name is used only in messages.
Text readRankedTokens(std::FILE* file, const char* name, bool hasHeader,
                      const TextLimits& limits = TextLimits());

}  // namespace tokshuf
