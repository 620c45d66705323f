#pragma once

#include <vector>

#include "common/text.h"
#include "common/text_shape.h"

namespace tokshuf {

// The word types of a text renumbered 1..V in the order of their ranks.
// Only equality of ranks matters to the measures (and which type is the
// tracked rank A or T), so the renumbered text measures exactly as the
// original; but tables indexed by type then need room for the types
// present, not for the largest rank, which may be as large as an int.
class TypeIds {
 public:
  // Takes the text over and renumbers it in place.
  explicit TypeIds(Text text);

  // The id of the type with this rank, or 0 when no token has it (0 is no
  // token's id, so a count of it stays 0).
  int idOf(int rank) const;

  // The text with every rank replaced by its type's id.
  const Text& renumbered() const { return renumbered_; }

  // The table sizes the renumbered text needs.
  const TextShape& shape() const { return shape_; }

 private:
  std::vector<int> ranks_;  // the distinct ranks, ascending; id = index + 1
  Text renumbered_;
  TextShape shape_;
};

}  // namespace tokshuf
