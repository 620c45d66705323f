// The fast engine's pieces against the reference pieces they replace.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/chunks.h"
#include "common/fatal_error.h"
#include "measures/compact_run.h"
#include "measures/sichel.h"
#include "measures/sichel_skipping_walk.h"
#include "measures/spectrum.h"
#include "montecarlo/block_uniform_random.h"
#include "montecarlo/compact_shuffle.h"
#include "montecarlo/permutation.h"
#include "montecarlo/run_outcomes.h"
#include "support/zipfian_text.h"

namespace tokshuf {
namespace {

std::vector<int> oneBasedZipfianRanks(int tokens, int types) {
  test::ZipfianTextShape shape;
  shape.tokens = tokens;
  shape.types = types;
  return test::zipfianTokenSequence(shape);
}

// More than a full period of every generator, in uneven block sizes.
TEST(BlockUniformRandom, ContinuesTheStreamValueForValue) {
  UniformRandom reference = seededGenerator();
  BlockUniformRandom fast(reference.state());
  int seed = 1;
  std::vector<float> block(5000);
  long drawn = 0;
  for (int count : {1, 7, 1024, 1025, 3000, 5000}) {
    for (int round = 0; round < 30; ++round) {
      fast.draw(block.data(), count);
      for (int t = 0; t < count; ++t) {
        ASSERT_EQ(double(block[t]), reference.uniformRandom(&seed))
            << "draw " << drawn + t;
      }
      drawn += count;
    }
  }
  ASSERT_GT(drawn, 260000);
  const UniformRandomState a = reference.state();
  const UniformRandomState b = fast.state();
  EXPECT_EQ(a.state1, b.state1);
  EXPECT_EQ(a.state2, b.state2);
  EXPECT_EQ(a.state3, b.state3);
  EXPECT_EQ(a.table, b.table);
}

// A generator put further along its stream without drawing, at offsets
// short of the table's first refill, past it, and past every period.
TEST(BlockUniformRandom, JumpsAheadToTheSameValues) {
  const UniformRandom start = seededGenerator();
  const BlockUniformRandom jumper(start.state());
  UniformRandom reference = start;
  int seed = 1;
  long drawn = 0;
  std::vector<float> block(1500);
  for (long offset : {0L, 1L, 96L, 97L, 500L, 3000L, 300001L, 2600000L}) {
    for (; drawn < offset; ++drawn) reference.uniformRandom(&seed);
    BlockUniformRandom jumped = jumper.ahead(offset);
    jumped.draw(block.data(), int(block.size()));
    UniformRandom following = reference;
    for (float value : block) ASSERT_EQ(double(value), following.uniformRandom(&seed)) << offset;
  }
}

TEST(CompactShuffle, SameOrderAsRandomize) {
  std::vector<int> ranks = oneBasedZipfianRanks(30000, 2000);
  const int n = int(ranks.size()) - 1;
  CompactOrder order = compactOrder(ranks, n);
  UniformRandom reference = seededGenerator();
  BlockUniformRandom fast(reference.state());
  for (int run = 0; run < 5; ++run) {
    randomize(reference, ranks, n);
    shuffleCompact(fast, order.data(), n);
    for (int i = 1; i <= n; ++i) ASSERT_EQ(order[i], ranks[i]) << i;
  }
}

TEST(CompactShuffle, ShortTexts) {
  for (int n : {0, 1, 2, 3}) {
    std::vector<int> ranks(n + 1, 0);
    for (int i = 1; i <= n; ++i) ranks[i] = i;
    CompactOrder order = compactOrder(ranks, n);
    UniformRandom reference = seededGenerator();
    BlockUniformRandom fast(reference.state());
    for (int run = 0; run < 10; ++run) {
      randomize(reference, ranks, n);
      shuffleCompact(fast, order.data(), n);
      for (int i = 1; i <= n; ++i) ASSERT_EQ(order[i], ranks[i]);
    }
  }
}

void expectSameState(const FrequencySpectrum& a, const FrequencySpectrum& b) {
  ASSERT_EQ(a.frequencyCount, b.frequencyCount);
  for (int i = 1; i <= a.frequencyCount; ++i) {
    ASSERT_EQ(a.frequencies[i], b.frequencies[i]) << i;
    ASSERT_EQ(a.VM[a.frequencies[i]], b.VM[b.frequencies[i]]) << i;
  }
  EXPECT_EQ(a.mMax, b.mMax);
  EXPECT_EQ(a.N, b.N);
  EXPECT_EQ(a.V, b.V);
  EXPECT_EQ(a.V1, b.V1);
  EXPECT_EQ(a.V2, b.V2);
  EXPECT_EQ(a.V3, b.V3);
  EXPECT_EQ(a.V4, b.V4);
  EXPECT_EQ(a.V5, b.V5);
  EXPECT_EQ(a.fa, b.fa);
  EXPECT_EQ(a.fthe, b.fthe);
}

TEST(IncrementalSpectrum, SameStateAsTheRebuildAtEveryBoundary) {
  std::vector<int> ranks = oneBasedZipfianRanks(20000, 3000);
  const int n = int(ranks.size()) - 1;
  UniformRandom generator = seededGenerator();
  WordFreqState reference;
  IncrementalSpectrum incremental;
  for (int nchunks : {1, 7, 40}) {
    randomize(generator, ranks, n);
    const CompactOrder order = compactOrder(ranks, n);
    const Chunks chunkEnds = computeChunks(n, nchunks);
    reference.fa = reference.fthe = reference.typeCount = 0;
    incremental.startRun();
    for (int j = 1; j <= nchunks; ++j) {
      addChunkAndRebuild(reference, ranks, 4, 4, chunkEnds[j - 1] + 1,
                         chunkEnds[j]);
      incremental.addChunk(order.data(), 4, 4, chunkEnds[j - 1] + 1,
                           chunkEnds[j]);
      expectSameState(reference, incremental.spectrum());
    }
    endRun(reference);
    incremental.endRun();
  }
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The reference fit and both faster walks: the same parameters bit for
// bit (NaN included), or the same fatal message.
void expectSameFit(int N, int V, int V1) {
  SCOPED_TRACE(testing::Message() << N << " " << V << " " << V1);
  std::string messages[3];
  SichelFit fits[3];
  const std::function<SichelFit()> walks[3] = {
      [=] { return sichelFit(N, V, V1); },
      [=] { return sichelFitSkipping(N, V, V1, SichelPasses::kEvaluateEach); },
      [=] { return sichelFitSkipping(N, V, V1); }};
  for (int i = 0; i < 3; ++i) {
    try {
      fits[i] = walks[i]();
    } catch (const FatalError& error) {
      messages[i] = error.message();
    }
  }
  for (int i = 1; i < 3; ++i) {
    ASSERT_EQ(messages[i], messages[0]) << "walk " << i;
    EXPECT_TRUE(sameBits(fits[i].b, fits[0].b)) << "walk " << i;
    EXPECT_TRUE(sameBits(fits[i].c, fits[0].c)) << "walk " << i;
    EXPECT_TRUE(sameBits(fits[i].a1, fits[0].a1)) << "walk " << i;
    EXPECT_EQ(fits[i].failed, fits[0].failed) << "walk " << i;
  }
}

TEST(SichelWalks, SameFitsAsTheReferenceSearch) {
  const int triples[][3] = {{10000, 2500, 1200}, {1000, 300, 50},
                            {1000, 400, 250},    {7, 4, 2},
                            {2500, 16, 8},       {5, 5, 0},
                            {1, 1, 1},           {200000, 16883, 4469},
                            {20000, 10, 5},      {4000, 20, 9}};
  for (const auto& t : triples) expectSameFit(t[0], t[1], t[2]);
  for (int N = 10; N <= 3000; N += 71) {
    for (int V = 1; V <= N; V += 1 + N / 17) {
      for (int V1 = 0; V1 <= V; V1 += 1 + V / 5) expectSameFit(N, V, V1);
    }
  }
}

// Counts as they occur in long texts, where the walks are longest.
TEST(SichelWalks, SameFitsOverRandomCounts) {
  std::uint64_t state = 12345;
  auto next = [&state](int bound) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return int((state >> 33) % std::uint64_t(bound));
  };
  for (int i = 0; i < 3000; ++i) {
    const int N = 1 + next(220000);
    const int V = 1 + next(std::min(N, 22000));
    const int V1 = next(V + 1);
    expectSameFit(N, V, V1);
  }
  // Vocabulary and hapaxes in the proportions of natural prefixes.
  for (int i = 0; i < 3000; ++i) {
    const int N = 1000 + next(219000);
    const int V = std::min(22000, N / (3 + next(20)));
    const int V1 = V / 4 + next(V / 2 + 1);
    expectSameFit(N, V, V1);
  }
}

TEST(SichelWalks, SameFatalErrorAtZero) {
  std::string message;
  try {
    sichelFitSkipping(20000, 10, 5);
  } catch (const FatalError& error) {
    message = error.message();
  }
  EXPECT_EQ(message, "z <= 0;         0.0000000000\n");
}

TEST(CompactRun, SameRowAsTheReferenceMeasurement) {
  std::vector<int> ranks = oneBasedZipfianRanks(20000, 3000);
  const int n = int(ranks.size()) - 1;
  Settings settings;
  settings.nchunks = 40;
  const Chunks chunkEnds = computeChunks(n, settings.nchunks);
  const MeasureContext context{settings, chunkEnds, n, 0};
  RunArrays reference(3), fast(3);
  RunState run;
  CompactRunState state;
  UniformRandom generator = seededGenerator();
  for (int p = 1; p <= 3; ++p) {
    randomize(generator, ranks, n);
    measureTokenOrder(p, context, ranks, run, reference);
    const CompactOrder order = compactOrder(ranks, n);
    measureCompactOrder(p, context, order.data(), state, fast);
    for (int column = 1; column <= kMeasureColumns; ++column) {
      for (int j = 1; j <= settings.nchunks; ++j) {
        ASSERT_EQ(std::memcmp(&reference[column][p][j], &fast[column][p][j],
                              sizeof(double)),
                  0)
            << "run " << p << " column " << column << " chunk " << j;
      }
    }
  }
  EXPECT_EQ(run.missing.zipf, state.missing.zipf);
  EXPECT_EQ(run.missing.sichel, state.missing.sichel);
}

TEST(RunOutcomes, ProgressWaitsForEarlierRunsAndStopsAtTheFirstFailure) {
  RunOutcomes outcomes(40, nullptr);
  EXPECT_EQ(outcomes.lastNeededRun(), 40);
  for (int p = 12; p <= 25; ++p) outcomes.succeeded(p);
  outcomes.failed(30, std::make_exception_ptr(FatalError("later\n")));
  outcomes.failed(26, std::make_exception_ptr(FatalError("first\n")));
  EXPECT_EQ(outcomes.lastNeededRun(), 26);
  EXPECT_FALSE(outcomes.settled());
  for (int p = 1; p <= 11; ++p) outcomes.succeeded(p);
  EXPECT_TRUE(outcomes.settled());
  try {
    std::rethrow_exception(outcomes.firstError());
  } catch (const FatalError& error) {
    EXPECT_STREQ(error.message(), "first\n");
  }
}

}  // namespace
}  // namespace tokshuf
