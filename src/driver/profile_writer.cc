#include "driver/profile_writer.h"

#include "common/limits.h"

namespace tokshuf {

void writeProfile(std::FILE* out, const ProfileTable& table, int nchunks,
                  const Chunks& chunkEnds, const std::vector<const char*>& labels) {
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) std::fputc(' ', out);
    std::fputs(labels[i], out);
  }
  std::fputc('\n', out);
  const int columns = int(labels.size()) - 1;
  for (int k = 1; k <= nchunks; ++k) {
    std::fprintf(out, "%d", chunkEnds[k]);
    for (int i = 1; i <= columns; ++i) {
      std::fprintf(out, " %10.7f", table[k][i]);
    }
    std::fputc('\n', out);
  }
}

void writeProfile(std::FILE* out, const ProfileTable& table, int nchunks,
                  const Chunks& chunkEnds) {
  writeProfile(out, table, nchunks, chunkEnds,
               std::vector<const char*>(schema::kColumnLabels.begin(),
                                        schema::kColumnLabels.end()));
}

}  // namespace tokshuf
