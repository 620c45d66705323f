#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "rank/input_pieces.h"

namespace tokshuf::rank {

// The lines of an input read in pieces, with their numbers and offsets,
// for the line-oriented annotation formats. CRLF reads like LF.
class InputLines {
 public:
  explicit InputLines(InputPieces& pieces) : pieces_(pieces) {}

  // The next line without its line end, valid until the next call; false
  // at the end of the input. Throws InputError naming the line when it is
  // not well-formed UTF-8.
  bool next(std::string_view& line);

  std::size_t lineNumber() const { return lineNumber_; }  // of the last line, from 1
  std::size_t offset() const { return lineOffset_; }      // of its first byte
  const std::string& name() const { return pieces_.name(); }

  // "NAME:LINE: " + what, for messages about the last line.
  std::string at(const std::string& what) const;

 private:
  InputPieces& pieces_;
  std::string piece_;
  std::size_t position_ = 0;  // in piece_
  std::size_t lineNumber_ = 0;
  std::size_t lineOffset_ = 0;
};

}  // namespace tokshuf::rank
