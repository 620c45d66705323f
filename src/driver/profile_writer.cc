#include "driver/profile_writer.h"

#include "common/measure_columns.h"

namespace tokshuf {

void print_tabel(std::FILE* bestand, const ProfileTable& tabel, int nchunks,
                 const Chunks& CHUNKS) {
  std::fputs(kProfileHeader, bestand);
  for (int k = 1; k <= nchunks; ++k) {
    std::fprintf(bestand, "%d", CHUNKS[k]);
    for (int i = 1; i <= kMeasureColumns; ++i) {
      std::fprintf(bestand, " %10.7f", tabel[k][i]);
    }
    std::fputc('\n', bestand);
  }
}

}  // namespace tokshuf
