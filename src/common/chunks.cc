#include "common/chunks.h"

namespace tokshuf {

Chunks computeChunks(int N, int nchunks) {
  Chunks chunkEnds{};
  const int chunkSize = N / nchunks;
  const int remainder = N - nchunks * chunkSize;
  for (int j = 1; j <= nchunks; ++j) chunkEnds[j] = chunkSize;
  for (int j = 1; j <= remainder; ++j) chunkEnds[j] += 1;
  for (int j = 2; j <= nchunks; ++j) chunkEnds[j] += chunkEnds[j - 1];
  chunkEnds[0] = 0;
  return chunkEnds;
}

}  // namespace tokshuf
