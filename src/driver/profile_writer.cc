#include "driver/profile_writer.h"

#include "common/limits.h"

namespace tokshuf {

void writeProfile(std::FILE* out, const ProfileTable& table, int nchunks,
                  const Chunks& chunkEnds) {
  for (int i = 0; i <= kMeasureColumns; ++i) {
    if (i > 0) std::fputc(' ', out);
    std::fputs(schema::kColumnLabels[i], out);
  }
  std::fputc('\n', out);
  for (int k = 1; k <= nchunks; ++k) {
    std::fprintf(out, "%d", chunkEnds[k]);
    for (int i = 1; i <= kMeasureColumns; ++i) {
      std::fprintf(out, " %10.7f", table[k][i]);
    }
    std::fputc('\n', out);
  }
}

}  // namespace tokshuf
