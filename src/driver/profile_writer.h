#pragma once

#include <cstdio>

#include "common/chunks.h"
#include "common/profile_table.h"

namespace tokshuf {

// Writes the header line and one row per chunk 1..nchunks: the chunk
// boundary, then the 24 measures with " %10.7f".
void writeProfile(std::FILE* out, const ProfileTable& table, int nchunks,
                  const Chunks& chunkEnds);

}  // namespace tokshuf
