// The per-run window kernel against the per-prefix reference, byte for
// byte at every chunk boundary.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/chunks.h"
#include "measures/window_measure_run.h"
#include "measures/window_measures.h"
#include "support/zipfian_text.h"

namespace tokshuf {
namespace {

constexpr WindowMeasure kMeasures[] = {
    WindowMeasure::kMattr, WindowMeasure::kMsttr, WindowMeasure::kMtld,
    WindowMeasure::kMtldMa};
constexpr int kTypeLimit = 3001;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Measures t[1..N] (t[0] unused) as an order of Id and compares every value
// with the reference.
template <class Id>
void expectSameValues(const std::vector<int>& t, int nchunks,
                      const WindowParameters& p, WindowMeasureRun& run) {
  const int N = int(t.size()) - 1;
  const Chunks chunkEnds = computeChunks(N, nchunks);
  const std::vector<Id> order(t.begin(), t.end());
  WindowValues fast;
  run.measure(order.data(), N, chunkEnds, nchunks, p, WindowSelection::all(),
              fast);
  for (const WindowMeasure m : kMeasures) {
    for (int j = 1; j <= nchunks; ++j) {
      const double reference =
          windowMeasureOfPrefix(m, t.data(), chunkEnds[j], p, kTypeLimit);
      ASSERT_TRUE(sameBits(fast(m, j), reference))
          << "measure " << int(m) << ", boundary " << j << " of " << nchunks
          << " (n = " << chunkEnds[j] << "): " << fast(m, j) << " against "
          << reference;
    }
  }
}

// A text of n tokens over types 1..types from a fixed linear congruential
// stream, behind the unused entry 0.
class RandomTexts {
 public:
  std::vector<int> next(int n, int types) {
    std::vector<int> t(n + 1, 0);
    for (int i = 1; i <= n; ++i) t[i] = 1 + draw(types);
    return t;
  }

 private:
  int draw(int bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return int((state_ >> 33) % std::uint64_t(bound));
  }
  std::uint64_t state_ = 2024;
};

WindowParameters parameters(int W, int S, double T) {
  WindowParameters p;
  p.window = W;
  p.segment = S;
  p.mtldThreshold = T;
  return p;
}

TEST(WindowMeasureRun, RandomTextsAtManyChunkCounts) {
  WindowMeasureRun run(2000, kTypeLimit);
  RandomTexts texts;
  for (const int types : {2, 3, 5, 12, 50}) {
    for (const int n : {37, 120, 333}) {
      const std::vector<int> t = texts.next(n, types);
      for (const int nchunks : {1, 2, 7, 13, 40}) {
        SCOPED_TRACE(testing::Message() << types << " types, " << n
                                        << " tokens, " << nchunks << " chunks");
        expectSameValues<int>(t, nchunks, parameters(7, 5, 0.72), run);
        expectSameValues<int>(t, nchunks, parameters(1, 1, 0.5), run);
        expectSameValues<int>(t, nchunks, parameters(100, 100, 0.9), run);
        expectSameValues<int>(t, nchunks, parameters(400, 400, 0.75), run);
        // Factors too long for the byte scan of MTLD-MA.
        expectSameValues<int>(t, nchunks, parameters(2, 3, 0.05), run);
      }
    }
  }
}

// Each with a state sized for it alone.
TEST(WindowMeasureRun, TextsShorterThanTheChunkCount) {
  RandomTexts texts;
  for (const int n : {0, 1, 2, 9, 10, 11, 25, 39}) {
    const std::vector<int> t = texts.next(n, 4);
    WindowMeasureRun run(n, kTypeLimit);
    for (const int nchunks : {1, 3, 40}) {
      SCOPED_TRACE(testing::Message()
                   << n << " tokens, " << nchunks << " chunks");
      expectSameValues<int>(t, nchunks, parameters(3, 2, 0.72), run);
      expectSameValues<int>(t, nchunks, parameters(1, 1, 0.9), run);
    }
  }
}

// Every type new until the TTR is 18/25, exactly the double 0.72, then
// types that repeat in turn: factors hit the threshold exactly over and
// over, in both directions.
TEST(WindowMeasureRun, RatiosThatHitTheThresholdExactly) {
  std::vector<int> t = {0};
  for (int type = 1; type <= 18; ++type) t.push_back(type);
  for (int round = 0; round < 30; ++round) {
    for (int k = 0; k < 25; ++k) t.push_back(1 + (round * 7 + k) % 18);
  }
  WindowMeasureRun run(int(t.size()), kTypeLimit);
  for (const int nchunks : {1, 11, 40}) {
    expectSameValues<int>(t, nchunks, parameters(25, 25, 0.72), run);
    expectSameValues<int>(t, nchunks, parameters(4, 8, 0.75), run);
  }
}

// At T 0.05 a factor needs over 300 tokens of 15 types, more than the
// kernel counts in bytes; the last starts find none. Types 1..20 and then
// type 1 again end the factor from the first token with the text's last
// token, at 20/401.
TEST(WindowMeasureRun, FactorsLongerThanTheByteCounts) {
  std::vector<int> endsAtTheEnd = {0};
  for (int type = 1; type <= 20; ++type) endsAtTheEnd.push_back(type);
  endsAtTheEnd.resize(402, 1);
  WindowMeasureRun run(700, kTypeLimit);
  for (const int nchunks : {1, 40}) {
    expectSameValues<int>(RandomTexts().next(700, 15), nchunks,
                          parameters(100, 100, 0.05), run);
    expectSameValues<int>(endsAtTheEnd, nchunks, parameters(100, 100, 0.05),
                          run);
  }
}

// No type twice: no start has a factor, however far it looks.
TEST(WindowMeasureRun, TextWithoutRepeats) {
  std::vector<int> t(1201);
  for (int i = 1; i <= 1200; ++i) t[i] = i;
  WindowMeasureRun run(1200, kTypeLimit);
  expectSameValues<int>(t, 40, WindowParameters{}, run);
}

TEST(WindowMeasureRun, ZipfianTextsInEveryElementType) {
  test::ZipfianTextShape shape;
  shape.tokens = 20000;
  shape.types = 3000;
  const std::vector<int> t = test::zipfianTokenSequence(shape);
  WindowMeasureRun run(shape.tokens, kTypeLimit);
  const WindowParameters p;
  expectSameValues<int>(t, 40, p, run);
  expectSameValues<std::uint16_t>(t, 40, p, run);
  expectSameValues<std::uint32_t>(t, 40, p, run);
  expectSameValues<std::uint16_t>(t, 40, parameters(50, 30, 0.5), run);
}

TEST(WindowMeasureRun, SameOrderTwiceGivesTheSameValues) {
  test::ZipfianTextShape shape;
  shape.tokens = 5000;
  shape.types = 800;
  shape.seed = 7;
  const std::vector<std::uint16_t> order = [&] {
    const std::vector<int> t = test::zipfianTokenSequence(shape);
    return std::vector<std::uint16_t>(t.begin(), t.end());
  }();
  const Chunks chunkEnds = computeChunks(shape.tokens, 40);
  const WindowParameters p;
  WindowMeasureRun run(shape.tokens, kTypeLimit);
  WindowValues first, second;
  run.measure(order.data(), shape.tokens, chunkEnds, 40, p,
              WindowSelection::all(), first);
  // A shorter order in between leaves its own traces.
  WindowValues other;
  run.measure(order.data(), 777, computeChunks(777, 5), 5, p,
              WindowSelection::all(), other);
  run.measure(order.data(), shape.tokens, chunkEnds, 40, p,
              WindowSelection::all(), second);
  EXPECT_EQ(std::memcmp(&first, &second, sizeof first), 0);
}

// Short MTLD factors, over 65,535 of them in all, so that the per-type
// factor numbers run out and start again on the way: every run the same.
TEST(WindowMeasureRun, ManyRunsWithOneState) {
  const std::vector<int> t = RandomTexts().next(2000, 30);
  const Chunks chunkEnds = computeChunks(2000, 40);
  WindowParameters p;
  p.mtldThreshold = 0.9;
  WindowMeasureRun run(2000, kTypeLimit);
  const WindowSelection mtld{WindowMeasure::kMtld};
  WindowValues first;
  run.measure(t.data(), 2000, chunkEnds, 40, p, mtld, first);
  for (int again = 0; again < 400; ++again) {
    WindowValues next = first;
    run.measure(t.data(), 2000, chunkEnds, 40, p, mtld, next);
    ASSERT_EQ(std::memcmp(&first, &next, sizeof first), 0) << again;
  }
}

// Each subset alone gives the values it gives among all four, and leaves
// the others as they were.
TEST(WindowMeasureRun, MeasuresOnlyTheChosen) {
  const std::vector<int> t = RandomTexts().next(300, 9);
  const Chunks chunkEnds = computeChunks(300, 6);
  WindowParameters p;
  p.window = p.segment = 20;
  WindowMeasureRun run(300, kTypeLimit);
  WindowValues all;
  run.measure(t.data(), 300, chunkEnds, 6, p, WindowSelection::all(), all);
  for (unsigned bits = 0; bits < 16; ++bits) {
    WindowSelection chosen;
    for (const WindowMeasure m : kMeasures) {
      if ((bits >> int(m)) & 1) chosen = chosen.with(m);
    }
    WindowValues out;
    for (auto& row : out.byMeasure) row.fill(-1.0);
    run.measure(t.data(), 300, chunkEnds, 6, p, chosen, out);
    for (const WindowMeasure m : kMeasures) {
      for (int j = 1; j <= 6; ++j) {
        const double expected = chosen.contains(m) ? all(m, j) : -1.0;
        EXPECT_TRUE(sameBits(out(m, j), expected)) << bits << " " << int(m);
      }
    }
  }
}

}  // namespace
}  // namespace tokshuf
