#include "common/chunks.h"

#include <gtest/gtest.h>

namespace tokshuf {
namespace {

TEST(Chunks, LongerChunksComeFirst) {
  const Chunks c = computeChunks(45, 20);
  const int expected[] = {0, 3, 6, 9, 12, 15, 17, 19, 21, 23, 25,
                          27, 29, 31, 33, 35, 37, 39, 41, 43, 45};
  for (int j = 0; j <= 20; ++j) EXPECT_EQ(c[j], expected[j]) << j;
}

TEST(Chunks, MoreChunksThanTokensRepeatTheWholeText) {
  const Chunks c = computeChunks(5, 20);
  for (int j = 1; j <= 5; ++j) EXPECT_EQ(c[j], j);
  for (int j = 6; j <= 20; ++j) EXPECT_EQ(c[j], 5);
}

TEST(Chunks, EvenSplitAndEmptyText) {
  const Chunks even = computeChunks(40, 4);
  EXPECT_EQ(even[1], 10);
  EXPECT_EQ(even[4], 40);
  const Chunks empty = computeChunks(0, 40);
  for (int j = 0; j <= 40; ++j) EXPECT_EQ(empty[j], 0);
  EXPECT_EQ(computeChunks(7, 1)[1], 7);
}

}  // namespace
}  // namespace tokshuf
