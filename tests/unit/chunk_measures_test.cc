#include "measures/chunk_measures.h"

#include <gtest/gtest.h>

#include <cmath>

#include "measures/zipf.h"
#include "prefix_state.h"

namespace tokshuf {
namespace {

using testing::printed;

// Measures one token order as run 0 and keeps the results.
struct MeasuredText {
  MeasuredText(std::vector<int> ranks, int nchunks, bool globalPstar = false)
      : arrays(0) {
    settings.nchunks = nchunks;
    settings.globalPstar = globalPstar;
    text.ranks.insert(text.ranks.end(), ranks.begin(), ranks.end());
    text.N = int(ranks.size());
    for (int rank : ranks) text.rankOneCount += rank == 1;
    chunkEnds = computeChunks(text.N, nchunks);
    const MeasureContext context{settings, chunkEnds, text.N,
                                 text.rankOneCount};
    measureTokenOrder(0, context, text.ranks, run, arrays);
  }
  double at(int column, int chunk) const { return arrays[column][0][chunk]; }

  Settings settings;
  Text text;
  Chunks chunkEnds{};
  RunState run;
  RunArrays arrays;
};

TEST(ChunkMeasures, WorkedPrefix) {
  const MeasuredText m({5, 3, 5, 7}, 1);
  EXPECT_EQ(printed(m.at(kColumnR, 1)), " 1.5000000");
  EXPECT_EQ(printed(m.at(kColumnW, 1)), " 3.1585860");
  EXPECT_EQ(printed(m.at(kColumnS, 1)), " 0.3333333");
  EXPECT_EQ(printed(m.at(kColumnH, 1)), "415.8883083");
  EXPECT_EQ(printed(m.at(kColumnC, 1)), " 0.7924813");
  EXPECT_EQ(m.at(kColumnK, 1), 1250.0);
  EXPECT_EQ(printed(m.at(kColumnD, 1)), " 0.1666667");
  EXPECT_EQ(printed(m.at(kColumnE, 1)), " 1.0397208");
  EXPECT_EQ(m.at(kColumnV, 1), 3.0);
  EXPECT_EQ(m.at(kColumnV1, 1), 2.0);
  EXPECT_EQ(m.at(kColumnV2, 1), 1.0);
}

TEST(ChunkMeasures, OneTokenPrefix) {
  const MeasuredText m({9, 9, 2}, 3);
  EXPECT_EQ(m.at(kColumnR, 1), 1.0);
  EXPECT_EQ(m.at(kColumnW, 1), 1.0);
  EXPECT_EQ(m.at(kColumnS, 1), 0.0);
  EXPECT_EQ(m.at(kColumnK, 1), 0.0);
  EXPECT_TRUE(std::signbit(m.at(kColumnE, 1)));
  EXPECT_TRUE(std::isnan(m.at(kColumnH, 1)));
  EXPECT_TRUE(std::isnan(m.at(kColumnC, 1)));
  EXPECT_TRUE(std::isnan(m.at(kColumnD, 1)));
}

TEST(ChunkMeasures, NoRepeatsGiveInfiniteHonore) {
  const MeasuredText m({1, 2, 3, 4, 5, 6, 1, 1}, 2);
  EXPECT_TRUE(std::isinf(m.at(kColumnH, 1)));
  EXPECT_GT(m.at(kColumnH, 1), 0);
  EXPECT_TRUE(std::isfinite(m.at(kColumnH, 2)));
}

TEST(ChunkMeasures, EmptyChunksRepeatThePreviousColumn) {
  const MeasuredText m({3, 1, 3, 2, 1}, 8);
  for (int column = 1; column <= kMeasureColumns; ++column) {
    for (int j = 6; j <= 8; ++j) {
      EXPECT_EQ(printed(m.at(column, j)), printed(m.at(column, 5)))
          << "column " << column << " chunk " << j;
    }
  }
}

TEST(ChunkMeasures, TrackedWordCountsGrowWithThePrefix) {
  const MeasuredText m({4, 1, 4, 2, 1, 4}, 3);
  EXPECT_EQ(m.at(kColumnFa, 1), 1.0);
  EXPECT_EQ(m.at(kColumnFthe, 1), 1.0);
  EXPECT_EQ(m.at(kColumnFa, 3), 3.0);
  EXPECT_EQ(m.at(kColumnFthe, 3), 2.0);
}

TEST(ChunkMeasures, GlobalShareFixesTheZipfInput) {
  // Rank 2 dominates the first chunk; only the global share sees rank 1.
  const std::vector<int> ranks = {2, 2, 2, 3, 4, 1, 1, 1, 1, 5, 6, 7};
  const MeasuredText local(ranks, 2, false);
  const MeasuredText global(ranks, 2, true);
  int zeros = 0;
  EXPECT_EQ(global.at(kColumnZ, 1),
            zipfSize(4.0 / 12, 6, 4, &zeros, kZipfForm));
  EXPECT_EQ(local.at(kColumnZ, 1), zipfSize(3.0 / 6, 6, 4, &zeros, kZipfForm));
  for (int column = 1; column <= kMeasureColumns; ++column) {
    if (column == kColumnZ) continue;
    EXPECT_EQ(printed(local.at(column, 1)), printed(global.at(column, 1)));
  }
}

TEST(ChunkMeasures, RunLeavesTheStateReadyForTheNext) {
  MeasuredText m({1, 2, 1, 3}, 2);
  EXPECT_EQ(m.run.words.typeCount, 0);
  for (int rank = 0; rank <= 3; ++rank)
    EXPECT_EQ(m.run.words.countByRank[rank], 0);
  const MeasureContext context{m.settings, m.chunkEnds, m.text.N,
                               m.text.rankOneCount};
  RunArrays again(0);
  measureTokenOrder(0, context, m.text.ranks, m.run, again);
  for (int column = 1; column <= kMeasureColumns; ++column) {
    EXPECT_EQ(printed(again[column][0][2]), printed(m.at(column, 2)));
  }
}

}  // namespace
}  // namespace tokshuf
