#pragma once

#include <cstdio>

#include "common/chunks.h"
#include "common/profile_table.h"

namespace tokshuf {

// Writes the header line and one row per chunk 1..nchunks: the chunk
// boundary, then the 24 measures with " %10.7f".
void print_tabel(std::FILE* bestand, const ProfileTable& tabel, int nchunks,
                 const Chunks& CHUNKS);

}  // namespace tokshuf
