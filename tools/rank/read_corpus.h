#pragma once

#include "rank/corpus.h"
#include "rank/input_pieces.h"
#include "rank/rank_options.h"

namespace tokshuf::rank {

// Reads the input in the format the options name.
Corpus readCorpus(InputPieces& input, const RankOptions& options);

}  // namespace tokshuf::rank
