#include "rank/input_lines.h"

#include "rank/utf8_check.h"

namespace tokshuf::rank {

bool InputLines::next(std::string_view& line) {
  if (position_ == piece_.size()) {
    if (!pieces_.next(piece_)) return false;
    position_ = 0;
  }
  // A piece ends at a line end, so a line never spans two pieces.
  const std::size_t lineFeed = piece_.find('\n', position_);
  const std::size_t end = lineFeed == std::string::npos ? piece_.size() : lineFeed;
  line = std::string_view(piece_).substr(position_, end - position_);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  lineOffset_ = pieces_.offset() + position_;
  position_ = lineFeed == std::string::npos ? piece_.size() : lineFeed + 1;
  ++lineNumber_;
  if (auto invalid = findInvalidUtf8(line)) {
    throw InputError(at("invalid UTF-8 at byte offset " + std::to_string(lineOffset_ + *invalid)));
  }
  return true;
}

std::string InputLines::at(const std::string& what) const {
  return name() + ":" + std::to_string(lineNumber_) + ": " + what;
}

}  // namespace tokshuf::rank
