#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace tokshuf::rank {

// A failure to open or read the input; what() names the file.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads an input in pieces of whole lines, so that a text never has to be
// held whole: each piece ends just after a line feed, or at the end of the
// input. A line longer than the piece size makes a longer piece. A line
// feed never lies inside a UTF-8 sequence, so a piece never splits one.
class InputPieces {
 public:
  static constexpr std::size_t kDefaultPieceSize = std::size_t(1) << 20;

  // Reads descriptor fd, which the caller keeps open and closes; name is
  // used only in messages.
  InputPieces(int fd, std::string name, std::size_t pieceSize = kDefaultPieceSize);

  // The next piece, or false at the end of the input. Throws InputError on
  // a read error.
  bool next(std::string& piece);

  // Byte offset in the whole input of the first byte of the last piece.
  std::size_t offset() const { return pieceOffset_; }
  const std::string& name() const { return name_; }

 private:
  // Appends up to pieceSize_ bytes to buffer_; false at the end of input.
  bool fill();

  int fd_;
  std::string name_;
  std::size_t pieceSize_;
  std::string buffer_;  // bytes read but not yet handed out
  bool atEnd_ = false;
  std::size_t pieceOffset_ = 0;
  std::size_t nextOffset_ = 0;
};

}  // namespace tokshuf::rank
