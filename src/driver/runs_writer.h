#pragma once

#include <cstdio>

#include "common/chunks.h"
#include "common/run_arrays.h"
#include "common/settings.h"

namespace tokshuf {

// Writes every run's values (TEXT.mcr): a header "run N" and the chosen
// measures' labels, then one row per run (0 = the text's own order,
// 1..nperm the permutation runs) and chunk. Each value is written in the
// shortest form that reads back as the same double ("nan", "inf" and
// "-inf" as in the profile files; a failed fit as the 0 stored for it).
void writeRuns(std::FILE* out, const RunArrays& runs, const Settings& settings,
               const Chunks& chunkEnds);

}  // namespace tokshuf
