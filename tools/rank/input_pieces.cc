#include "rank/input_pieces.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace tokshuf::rank {

InputPieces::InputPieces(int fd, std::string name, std::size_t pieceSize)
    : fd_(fd), name_(std::move(name)), pieceSize_(pieceSize == 0 ? 1 : pieceSize) {}

bool InputPieces::fill() {
  const std::size_t oldSize = buffer_.size();
  buffer_.resize(oldSize + pieceSize_);
  ssize_t got;
  do {
    got = ::read(fd_, buffer_.data() + oldSize, pieceSize_);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    const int error = errno;
    buffer_.resize(oldSize);
    throw InputError("cannot read " + name_ + ": " + std::strerror(error));
  }
  buffer_.resize(oldSize + static_cast<std::size_t>(got));
  return got > 0;
}

bool InputPieces::next(std::string& piece) {
  // Read until the buffer holds at least pieceSize_ bytes with a line feed
  // among them, or the rest of the input. Only the newly read bytes are
  // searched, so a very long line costs linear time.
  std::size_t searchFrom = 0;
  std::size_t pieceSize = 0;
  while (pieceSize == 0 && !atEnd_) {
    if (buffer_.size() >= pieceSize_) {
      const std::size_t lineFeed = std::string_view(buffer_).substr(searchFrom).rfind('\n');
      if (lineFeed != std::string_view::npos) {
        pieceSize = searchFrom + lineFeed + 1;
        break;
      }
      searchFrom = buffer_.size();
    }
    if (!fill()) atEnd_ = true;
  }
  if (pieceSize == 0) {
    if (buffer_.empty()) return false;
    pieceSize = buffer_.size();
  }
  piece.assign(buffer_, 0, pieceSize);
  buffer_.erase(0, pieceSize);
  pieceOffset_ = nextOffset_;
  nextOffset_ += pieceSize;
  return true;
}

}  // namespace tokshuf::rank
