#include "rank/zvc_writer.h"

namespace tokshuf::rank {

void writeZvc(std::ostream& out, const RankedText& text) {
  out << "Word z\n";
  for (int rank : text.tokenRanks) {
    out << text.typeByRank[rank - 1] << ' ' << rank << '\n';
  }
}

}  // namespace tokshuf::rank
