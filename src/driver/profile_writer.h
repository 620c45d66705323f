#pragma once

#include <cstdio>
#include <vector>

#include "common/chunks.h"
#include "common/profile_table.h"

namespace tokshuf {

// Writes the header line of the given labels ("N" first) and one row per
// chunk 1..nchunks: the chunk boundary, then the table's columns with
// " %10.7f".
void writeProfile(std::FILE* out, const ProfileTable& table, int nchunks,
                  const Chunks& chunkEnds, const std::vector<const char*>& labels);

// The same with the header of the 24 classic measures.
void writeProfile(std::FILE* out, const ProfileTable& table, int nchunks,
                  const Chunks& chunkEnds);

}  // namespace tokshuf
