#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rank/annotation_options.h"
#include "rank/corpus.h"
#include "rank/input_pieces.h"

namespace tokshuf::rank {

// Reads a vertical file: one token per line in tab-separated columns, and
// lines starting with "<" for structure, of which <doc ...> starts a
// document (its id attribute names it). Throws InputError naming the file
// and line of the first malformed line.
Corpus readVertical(InputPieces& input, const AnnotationOptions& options);

// The value of the id attribute of a <doc> start tag, with the XML
// character entities decoded: "" when it has none; nothing when the line
// is not a <doc> start tag.
std::optional<std::string> documentStartId(std::string_view line);

}  // namespace tokshuf::rank
