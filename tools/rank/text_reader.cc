#include "rank/text_reader.h"

#include <cstdint>
#include <limits>
#include <string>

#include "rank/utf8_check.h"

namespace tokshuf::rank {

Corpus readText(InputPieces& input, const SegmenterOptions& options) {
  const WordSegmenter segmenter(options);
  Corpus corpus;
  TokenIds& tokens = corpus.documents.emplace_back().tokens;
  std::string piece;
  while (input.next(piece)) {
    if (auto offset = findInvalidUtf8(piece)) {
      throw InputError(input.name() + ": invalid UTF-8 at byte offset " +
                       std::to_string(input.offset() + *offset));
    }
    // ICU indexes its strings with 32-bit integers; a piece is longer
    // than the piece size only when one line is.
    if (piece.size() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 2)) {
      throw InputError(input.name() + ": a line of more than 1 GiB starts at byte offset " +
                       std::to_string(input.offset()));
    }
    for (std::string& word : segmenter.words(piece)) tokens.add(std::move(word));
  }
  return corpus;
}

}  // namespace tokshuf::rank
