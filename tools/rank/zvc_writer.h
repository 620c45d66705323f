#pragma once

#include <ostream>

#include "rank/rank_table.h"

namespace tokshuf::rank {

// The ranked-token file: the title line "Word z", then "word rank" for every
// token in text order, LF line ends.
void writeZvc(std::ostream& out, const RankedText& text);

}  // namespace tokshuf::rank
