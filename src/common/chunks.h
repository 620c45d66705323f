#pragma once

#include <array>

#include "common/limits.h"

namespace tokshuf {

// chunkEnds[j] is the number of tokens in chunks 1..j; chunkEnds[0] is 0.
using Chunks = std::array<int, kMaxChunks + 1>;

// Cuts N tokens into nchunks chunks whose lengths differ by at most one,
// the longer chunks first. nchunks must lie in 1..kMaxChunks.
Chunks computeChunks(int N, int nchunks);

}  // namespace tokshuf
