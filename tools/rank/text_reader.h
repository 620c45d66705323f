#pragma once

#include "rank/corpus.h"
#include "rank/input_pieces.h"
#include "rank/word_segmenter.h"

namespace tokshuf::rank {

// Reads a plain UTF-8 text as one document of the words the segmenter
// finds. The text is segmented piece by piece: a line end is always a
// word boundary and never part of a normalization, so the words are those
// of the whole text. Throws InputError for a read error or invalid UTF-8
// (with its byte offset in the whole input).
Corpus readText(InputPieces& input, const SegmenterOptions& options);

}  // namespace tokshuf::rank
