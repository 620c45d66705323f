#include "montecarlo/summary_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tokshuf {
namespace {

struct Summary {
  double orig, mean, low, high;
};

// Reduces run 0 = orig and the permuted values at chunk 1 of column col.
Summary reduce(double orig, const std::vector<double>& permuted, int col,
               int ci = 95) {
  Settings settings;
  settings.nchunks = 1;
  settings.nperm = int(permuted.size());
  settings.confidenceLevel = ci;
  RunArray runs(settings.nperm + 1);
  runs[0][1] = orig;
  for (int p = 1; p <= settings.nperm; ++p) runs[p][1] = permuted[p - 1];
  ProfileTables tables;
  summariseColumn(runs, col,
                  isFitColumn(col) ? SummarisedRuns::kFitted
                                   : SummarisedRuns::kAll,
                  settings, tables);
  return {tables.observed[1][col], tables.means[1][col],
          tables.lowerBounds[1][col], tables.upperBounds[1][col]};
}

TEST(SummaryTables, TailCounts) {
  EXPECT_EQ(tailCount(1000, 95), 25);
  EXPECT_EQ(tailCount(1000, 90), 50);
  EXPECT_EQ(tailCount(100, 95), 2);
  EXPECT_EQ(tailCount(10, 95), 0);
  EXPECT_EQ(tailCount(5000, 100), 0);
  EXPECT_EQ(tailCount(1000, 97), 14);  // 1000 / 66.66...67 just below 15
  EXPECT_EQ(tailCount(10, 0), 5);
  EXPECT_EQ(tailCount(11, 0), 5);
  EXPECT_EQ(tailCount(1, 0), 0);
}

TEST(SummaryTables, MeanAndBoundsOverAllRuns) {
  const Summary s = reduce(9.0, {3, 1, 4, 1.5}, kColumnK);
  EXPECT_EQ(s.orig, 9.0);
  EXPECT_EQ(s.mean, 2.375);
  EXPECT_EQ(s.low, 1.0);
  EXPECT_EQ(s.high, 4.0);
  const Summary fit = reduce(9.0, {3, 1, 4, 1.5}, kColumnSichelB);
  EXPECT_EQ(fit.mean, 2.375);
  EXPECT_EQ(fit.low, 1.0);
  EXPECT_EQ(fit.high, 4.0);
}

TEST(SummaryTables, FitColumnsLeaveFailedFitsOut) {
  const Summary fit = reduce(0.0, {0, 2, 0, 5}, kColumnZ);
  EXPECT_EQ(fit.orig, 0.0);
  EXPECT_EQ(fit.mean, 3.5);
  EXPECT_EQ(fit.low, 2.0);
  EXPECT_EQ(fit.high, 5.0);
  const Summary all = reduce(0.0, {0, 2, 0, 5}, kColumnV);
  EXPECT_EQ(all.mean, 1.75);
  EXPECT_EQ(all.low, 0.0);
  EXPECT_EQ(all.high, 5.0);
}

TEST(SummaryTables, NegativeZeroIsAFailedFitButNaNIsNot) {
  const Summary fit =
      reduce(1.0, {-0.0, 4.0, std::nan("")}, kColumnSichelC, 100);
  EXPECT_TRUE(std::isnan(fit.mean));  // 4 + NaN over two runs
  const Summary zeros = reduce(1.0, {-0.0, 0.0, 6.0}, kColumnSichelC);
  EXPECT_EQ(zeros.mean, 6.0);
  EXPECT_EQ(zeros.low, 6.0);
  EXPECT_EQ(zeros.high, 6.0);
}

TEST(SummaryTables, NoFittedRunGivesNaNEverywhere) {
  const Summary fit = reduce(2.0, {0, 0, 0}, kColumnSichelA1);
  EXPECT_EQ(fit.orig, 2.0);
  EXPECT_TRUE(std::isnan(fit.mean));
  EXPECT_TRUE(std::isnan(fit.low));
  EXPECT_TRUE(std::isnan(fit.high));
  EXPECT_EQ(std::signbit(fit.low), std::signbit(fit.mean));
  EXPECT_EQ(std::signbit(fit.high), std::signbit(fit.mean));
}

TEST(SummaryTables, ConfidenceLevelsAtTheExtremes) {
  const std::vector<double> values = {5, 1, 4, 2, 3, 6};
  const Summary all = reduce(0, values, kColumnV, 100);
  EXPECT_EQ(all.low, 1.0);
  EXPECT_EQ(all.high, 6.0);
  // ci 0 with an even count: lower is the 4th smallest, upper the 3rd.
  const Summary none = reduce(0, values, kColumnV, 0);
  EXPECT_EQ(none.low, 4.0);
  EXPECT_EQ(none.high, 3.0);
  const Summary odd = reduce(0, {5, 1, 4, 2, 3}, kColumnV, 0);
  EXPECT_EQ(odd.low, 3.0);
  EXPECT_EQ(odd.high, 3.0);
}

TEST(SummaryTables, SingleRunAndFewFits) {
  for (int ci : {0, 50, 95, 100}) {
    const Summary one = reduce(1.0, {7.5}, kColumnW, ci);
    EXPECT_EQ(one.mean, 7.5);
    EXPECT_EQ(one.low, 7.5);
    EXPECT_EQ(one.high, 7.5);
  }
  std::vector<double> mostlyFailed(1000, 0.0);
  mostlyFailed[10] = 3.0;
  mostlyFailed[500] = 1.0;
  mostlyFailed[999] = 2.0;
  const Summary few = reduce(0.0, mostlyFailed, kColumnZ);
  EXPECT_EQ(few.mean, 2.0);
  EXPECT_EQ(few.low, 1.0);
  EXPECT_EQ(few.high, 3.0);
}

TEST(SummaryTables, BoundsAtTheTailCount) {
  std::vector<double> values;
  for (int i = 1000; i >= 1; --i) values.push_back(i);
  const Summary s = reduce(0, values, kColumnV, 95);
  EXPECT_EQ(s.low, 26.0);
  EXPECT_EQ(s.high, 975.0);
  EXPECT_EQ(s.mean, 500.5);
}

TEST(SummaryTables, WithoutPermutationsOnlyTheEmpiricalProfileIsFilled) {
  const Summary s = reduce(4.25, {}, kColumnK);
  EXPECT_EQ(s.orig, 4.25);
  EXPECT_EQ(s.mean, 0.0);
  EXPECT_EQ(s.low, 0.0);
  EXPECT_EQ(s.high, 0.0);
}

}  // namespace
}  // namespace tokshuf
