#include "montecarlo/global_envelope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <sstream>
#include <string>

namespace tokshuf {
namespace {

using Curves = std::vector<std::vector<double>>;
using Positions = std::vector<long long>;
const double kNaN = std::nan("");

// Curve 0 is the text; each curve lists its values at chunks 1, 2, ...
GlobalEnvelope test(const Curves& curves, int level, bool fitted = false) {
  RunArray runs(int(curves.size()));
  for (int i = 0; i < int(curves.size()); ++i) {
    std::copy(curves[i].begin(), curves[i].end(), runs[i] + 1);
  }
  return globalRankEnvelope(runs, int(curves.size()), int(curves[0].size()),
                            fitted, level);
}

// The band from chunk 1 on, "lower..upper" by chunk.
std::string band(const GlobalEnvelope& e) {
  std::ostringstream out;
  for (std::size_t j = 1; j < e.lower.size(); ++j) {
    out << (j > 1 ? " " : "") << e.lower[j] << ".." << e.upper[j];
  }
  return out.str();
}

// Two-sided ranks at the chunks: (1,2,3,2,1), (2,3,1,2,1) and, at the
// constant chunk, 3 for all. Sorted: T0 (1,2,3), T1 (2,3,3), T2 (1,3,3),
// T3 (2,2,3), T4 (1,1,3), so T4 < T0 < T2 < T3 < T1 and e = (2,5,3,4,1).
const Curves kWorked = {
    {10, 20, 30}, {11, 21, 30}, {12, 19, 30}, {13, 22, 30}, {14, 23, 30}};
// With three curves the middle value has two-sided rank 2, the others 1.
// T0 is in the middle at chunks 1, 2, T1 at 3, 7 and T2 at 4, 5, 6.
const Curves kThree = {
    {2, 2, 1, 1, 3, 1, 1}, {1, 3, 2, 3, 1, 3, 2}, {3, 1, 3, 2, 2, 2, 3}};

Curves firstChunks(Curves curves, int chunks) {
  for (auto& curve : curves) curve.resize(chunks);
  return curves;
}

TEST(GlobalEnvelope, HandCheckedCases) {
  struct Case {
    std::string name;
    Curves curves;
    int level;
    Positions positions;
    double p;
    std::string band;
    std::vector<int> below = {}, above = {};
  };
  const Positions worked = {4, 10, 6, 8, 2};
  const Case cases[] = {
      // The 4th largest e is 2: T0..T3 make the band.
      {"worked", kWorked, 80, worked, 0.4, "10..13 19..22 30..30"},
      {"no constant chunk", firstChunks(kWorked, 2), 80, worked, 0.4,
       "10..13 19..22"},
      {"index 0", kWorked, 0, worked, 0.4, "nan..nan nan..nan nan..nan"},
      {"e >= 3", kWorked, 60, worked, 0.4, "11..13 19..22 30..30", {1}},
      {"all curves", kWorked, 100, worked, 0.4, "10..14 19..23 30..30"},
      // Sorted T0 (1,1,3), T1 (2,2,3), T2 (1,3,3), T3 (2,3,3), T4 (1,2,3).
      {"outside",
       {{1, 100, 30}, {11, 21, 30}, {12, 19, 30}, {13, 22, 30}, {14, 23, 30}},
       80, {2, 8, 6, 10, 4}, 0.2, "11..14 19..23 30..30", {1}, {2}},
      // Chunk 1 holds 5,5,6,4,5: mid-ranks 3,3,5,1,3, two-sided 3,3,1,1,3.
      // Sorted T0 (1,3), T1 (3,3), T2 (1,2), T3 (1,2), T4 (1,3): a rank of
      // 2 for the 5s would tie T0 with T2.
      {"ties", {{5, 10}, {5, 30}, {6, 20}, {4, 40}, {5, 50}}, 80,
       {7, 10, 3, 3, 7}, 0.8, "4..6 10..50"},
      // Sorted T0 (1,2), T1 (2,3), T2 (2,3), T3 (1,2), T4 (1,1).
      {"shared e", {{10, 20}, {11, 21}, {12, 22}, {13, 23}, {14, 19}}, 80,
       {5, 9, 9, 5, 2}, 0.6, "10..13 20..23"},
      // T1 (1,1,1,1,1,2) < T0 (1,1,1,1,2,2) < T2 (1,1,1,2,2,2).
      {"long vectors", firstChunks(kThree, 6), 80, {4, 2, 6}, 2.0 / 3,
       "2..3 1..2 1..3 1..2 2..3 1..2"},
      // T0 and T1 (1,1,1,1,1,2,2) share e = 1.5.
      {"long ties", kThree, 80, {3, 3, 6}, 2.0 / 3,
       "1..3 1..3 1..3 1..3 1..3 1..3 1..3"},
      {"zeros", {{-0.0}, {0.0}, {-0.0}, {1}, {-1}}, 60, {8, 8, 8, 3, 3}, 1.0,
       "0..0"},
      {"nothing tested", {{1, 2}, {kNaN, 3}, {4, INFINITY}}, 100, {}, kNaN,
       "nan..nan nan..nan"},
  };
  for (const Case& c : cases) {
    const GlobalEnvelope e = test(c.curves, c.level);
    EXPECT_EQ(e.doublePositions, c.positions) << c.name;
    EXPECT_TRUE(e.p == c.p || (std::isnan(e.p) && std::isnan(c.p))) << c.name;
    EXPECT_EQ(band(e), c.band) << c.name;
    EXPECT_EQ(e.below, c.below) << c.name;
    EXPECT_EQ(e.above, c.above) << c.name;
  }
}

TEST(GlobalEnvelope, ChunksWithMissingValuesAreLeftOut) {
  struct Case {
    double value;
    bool fitted, leftOut;
  };
  const Case cases[] = {{0.0, true, true},      {-0.0, true, true},
                        {0.0, false, false},    {7.5, true, false},
                        {kNaN, false, true},    {INFINITY, false, true},
                        {-INFINITY, true, true}};
  for (const Case& c : cases) {
    Curves curves = kWorked;
    for (auto& curve : curves) curve.push_back(40);
    curves[3][3] = c.value;
    const GlobalEnvelope e = test(curves, 80, c.fitted);
    EXPECT_EQ(e.leftOut, std::vector<char>({0, 0, 0, 0, c.leftOut}));
    EXPECT_EQ(std::isnan(e.lower[4]), c.leftOut);
    if (c.leftOut) {
      EXPECT_EQ(e.doublePositions, Positions({4, 10, 6, 8, 2}));
    }
  }
}

TEST(GlobalEnvelope, ReorderedRunsAndMirroredValuesGiveTheSameTest) {
  // Many ties, values of both signs and sizes far apart, over 1001 curves.
  std::mt19937 random(5);
  Curves curves(1001, std::vector<double>(6));
  for (auto& curve : curves) {
    for (int j = 0; j < 6; ++j) {
      curve[j] = (double(random() % 301) - 150.0) * std::pow(1000.0, j - 2);
    }
  }
  std::vector<int> order(curves.size());
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin() + 1, order.end(), random);
  Curves reordered, mirrored = curves;
  for (int i : order) reordered.push_back(curves[i]);
  for (auto& curve : mirrored) {
    for (double& value : curve) value = -value;
  }
  const GlobalEnvelope e = test(curves, 95);
  const GlobalEnvelope r = test(reordered, 95);
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(r.doublePositions[i], e.doublePositions[order[i]]);
  }
  EXPECT_EQ(band(r), band(e));
  EXPECT_EQ(test(mirrored, 95).doublePositions, e.doublePositions);
}

TEST(GlobalEnvelopeRunCounts, WholeNumberOfCurvesOutsideAndSuggestedCounts) {
  for (auto [curves, level] : {std::pair{20, 95}, {5, 80}, {100, 93}}) {
    EXPECT_TRUE(runCountFitsLevel(curves, level)) << curves;
  }
  for (auto [curves, level] : {std::pair{19, 95}, {30, 95}, {10, 93}}) {
    EXPECT_FALSE(runCountFitsLevel(curves, level)) << curves;
  }
  struct Case {
    int nperm, level;
    std::vector<int> counts;
  };
  const Case cases[] = {
      {1000, 95, {999, 1019, 4999}}, {1000, 90, {999, 1009, 4999}},
      {1000, 99, {999, 1099, 4999}}, {1000, 50, {999, 1001, 4999}},
      {4, 80, {4, 9, 4999}},         {10, 95, {19, 4999}},
      {5000, 95, {4999}},            {5000, 0, {5000}},
      {1000, 100, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fittingPermutationCounts(c.nperm, c.level), c.counts)
        << c.nperm << " " << c.level;
  }
}

}  // namespace
}  // namespace tokshuf
