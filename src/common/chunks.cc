#include "common/chunks.h"

namespace tokshuf {

Chunks computeChunks(int N, int nchunks) {
  Chunks CHUNKS{};
  const int chunksize = N / nchunks;
  const int remainDer = N - nchunks * chunksize;
  for (int j = 1; j <= nchunks; ++j) CHUNKS[j] = chunksize;
  for (int j = 1; j <= remainDer; ++j) CHUNKS[j] += 1;
  for (int j = 2; j <= nchunks; ++j) CHUNKS[j] += CHUNKS[j - 1];
  CHUNKS[0] = 0;
  return CHUNKS;
}

}  // namespace tokshuf
