#pragma once

// Feeds test content to tokshuf-rank's readers as if it were a file.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "rank/corpus.h"
#include "rank/input_pieces.h"

namespace tokshuf::rank {

using Reader = std::function<Corpus(InputPieces&)>;

// Runs reader on content, read from a file shown in messages as name.
Corpus readContent(const std::string& content, const Reader& reader,
                   const std::string& name = "in",
                   std::size_t pieceSize = InputPieces::kDefaultPieceSize);

// The words of a document in text order.
std::vector<std::string> wordsOf(const Document& document);

// The message of the InputError reader throws on content; "" when it
// throws none.
std::string readError(const std::string& content, const Reader& reader,
                      const std::string& name = "in");

}  // namespace tokshuf::rank
