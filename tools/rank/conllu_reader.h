#pragma once

#include "rank/annotation_options.h"
#include "rank/corpus.h"
#include "rank/input_pieces.h"

namespace tokshuf::rank {

// The UPOS tags a CoNLL-U file is counted without unless --drop says
// otherwise: punctuation, symbols, numbers and what is not a word at all.
inline constexpr const char* kDefaultConlluDrop = "PUNCT,SYM,NUM,X";

// Reads a CoNLL-U file: ten tab-separated columns per word line, comments
// ("# newdoc id = ..." starts a document) and blank lines between
// sentences. Multiword token lines ("1-2") and empty nodes ("8.1") are
// skipped; the syntactic words are counted. Throws InputError naming the
// file and line of the first malformed line.
Corpus readConllu(InputPieces& input, const AnnotationOptions& options);

}  // namespace tokshuf::rank
