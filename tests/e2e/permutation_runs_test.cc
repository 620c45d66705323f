// Permutation runs: progress lines, reproducibility, and the properties of
// the Monte Carlo means and confidence bounds.

#include <cmath>
#include <map>
#include <memory>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

const std::vector<std::string> kCountColumns = {"V", "V1", "V2", "V3", "V4",
                                                "V5", "fa", "fthe"};
// Columns whose value at the whole text does not depend on the token order.
const std::vector<std::string> kWholeTextColumns = {"V",  "V1", "V2", "V3", "V4",
                                                    "V5", "K",  "D",  "b",  "c",
                                                    "a1", "Z",  "fa", "fthe"};
// Columns whose summaries leave failed fits (zeros) out.
const std::vector<std::string> kFitColumns = {"b", "c", "a1", "Z"};

bool isFitColumn(const std::string& label) {
  for (const std::string& fit : kFitColumns) {
    if (label == fit) return true;
  }
  return false;
}

// The four files of one run of the tool.
struct ProfileSet {
  std::string err;
  Profile obs, mcm, mcl, mch;
};

class PermutationRunsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<TempDir>("tokshuf-permutations");
    writeFile(dir_->file("genesis.zvc"), readFile(genesisPath()));
  }
  static void TearDownTestSuite() {
    runs_.clear();
    dir_.reset();
  }

  // Runs the tool on the sample once per set of options.
  static const ProfileSet& genesisRun(const std::vector<std::string>& options) {
    const auto cached = runs_.find(options);
    if (cached != runs_.end()) return cached->second;
    std::vector<std::string> args = options;
    args.push_back("genesis.zvc");
    const ProcessResult result = runTokshuf(*dir_, args);
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    ProfileSet set{result.err, readProfile(*dir_, "genesis.obs"),
                   readProfile(*dir_, "genesis.mcm"), readProfile(*dir_, "genesis.mcl"),
                   readProfile(*dir_, "genesis.mch")};
    return runs_.emplace(options, std::move(set)).first->second;
  }

  static std::unique_ptr<TempDir> dir_;
  static std::map<std::vector<std::string>, ProfileSet> runs_;
};

std::unique_ptr<TempDir> PermutationRunsTest::dir_;
std::map<std::vector<std::string>, ProfileSet> PermutationRunsTest::runs_;

TEST_F(PermutationRunsTest, WholeTextValuesAreTheSameInEveryRun) {
  const ProfileSet& run = genesisRun({"-p100"});
  const int last = run.obs.rowCount() - 1;
  for (const std::string& label : kWholeTextColumns) {
    const std::string& observed = run.obs.text(last, label);
    EXPECT_EQ(run.mcl.text(last, label), observed) << label;
    EXPECT_EQ(run.mch.text(last, label), observed) << label;
  }
  for (const std::string& label : kCountColumns) {
    EXPECT_EQ(run.mcm.text(last, label), run.obs.text(last, label)) << label;
  }
}

TEST_F(PermutationRunsTest, TheTokensAreShuffled) {
  const ProfileSet& run = genesisRun({"-p100"});
  // The sample's own order introduces new words faster or slower than a
  // random order: at the first boundary the means differ from the text.
  EXPECT_NE(run.mcm.text(0, "V"), run.obs.text(0, "V"));
  EXPECT_NE(run.mcl.text(0, "V"), run.mch.text(0, "V"));
}

TEST_F(PermutationRunsTest, LowerBoundNeverExceedsUpperBoundForCounts) {
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"-p100"}, std::vector<std::string>{"-p60", "-c50"}}) {
    const ProfileSet& run = genesisRun(options);
    for (int row = 0; row < run.obs.rowCount(); ++row) {
      for (const std::string& label : kCountColumns) {
        EXPECT_LE(run.mcl.value(row, label), run.mch.value(row, label))
            << options[0] << " row " << row + 1 << " " << label;
      }
    }
  }
}

TEST_F(PermutationRunsTest, FullIntervalHoldsTheMean) {
  const ProfileSet& run = genesisRun({"-p30", "-c100"});
  for (int row = 0; row < run.obs.rowCount(); ++row) {
    for (const std::string& label : kCountColumns) {
      EXPECT_LE(run.mcl.value(row, label), run.mcm.value(row, label)) << label;
      EXPECT_LE(run.mcm.value(row, label), run.mch.value(row, label)) << label;
    }
  }
}

TEST_F(PermutationRunsTest, ZeroLevelWithOddRunCountGivesTheMedianTwice) {
  const ProfileSet& run = genesisRun({"-p21", "-c0"});
  for (int row = 0; row < run.obs.rowCount(); ++row) {
    for (const std::string& label : run.obs.labels()) {
      if (isFitColumn(label)) continue;  // their count of runs may be even
      EXPECT_EQ(run.mcl.text(row, label), run.mch.text(row, label))
          << "row " << row + 1 << " " << label;
    }
  }
}

TEST_F(PermutationRunsTest, ZeroLevelWithEvenRunCountCrossesTheBounds) {
  const ProfileSet& run = genesisRun({"-p20", "-c0"});
  int crossed = 0;
  for (int row = 0; row < run.obs.rowCount(); ++row) {
    for (const std::string& label : kCountColumns) {
      // Lower bound: the 11th smallest of 20 values; upper: the 10th.
      EXPECT_GE(run.mcl.value(row, label), run.mch.value(row, label)) << label;
      crossed += run.mcl.value(row, label) > run.mch.value(row, label);
    }
  }
  EXPECT_GT(crossed, 0);
}

TEST_F(PermutationRunsTest, WordCountsOfTheWholeTextAgreeInAllFourFiles) {
  const ProfileSet& run = genesisRun({"-p100"});
  const int last = run.obs.rowCount() - 1;
  for (const std::string label : {"fa", "fthe"}) {
    const std::string& observed = run.obs.text(last, label);
    EXPECT_EQ(run.mcm.text(last, label), observed) << label;
    EXPECT_EQ(run.mcl.text(last, label), observed) << label;
    EXPECT_EQ(run.mch.text(last, label), observed) << label;
  }
}

TEST_F(PermutationRunsTest, SingleRunIsItsOwnMeanAndBounds) {
  const ProfileSet& run = genesisRun({"-p1", "-k10"});
  for (int row = 0; row < run.obs.rowCount(); ++row) {
    EXPECT_EQ(run.mcl.rowText(row), run.mcm.rowText(row)) << "row " << row + 1;
    EXPECT_EQ(run.mch.rowText(row), run.mcm.rowText(row)) << "row " << row + 1;
  }
}

TEST_F(PermutationRunsTest, ObservedProfileDoesNotDependOnPermutations) {
  const ProfileSet& withRuns = genesisRun({"-p21", "-c0"});
  const ProfileSet& moreRuns = genesisRun({"-p30", "-c100"});
  for (int row = 0; row < withRuns.obs.rowCount(); ++row) {
    EXPECT_EQ(withRuns.obs.rowText(row), moreRuns.obs.rowText(row)) << "row " << row + 1;
  }
}

TEST_F(PermutationRunsTest, LevelChangesOnlyTheBounds) {
  const ProfileSet& full = genesisRun({"-p30", "-c100"});
  const ProfileSet& none = genesisRun({"-p30", "-c0"});
  for (int row = 0; row < full.obs.rowCount(); ++row) {
    EXPECT_EQ(none.obs.rowText(row), full.obs.rowText(row)) << "row " << row + 1;
    EXPECT_EQ(none.mcm.rowText(row), full.mcm.rowText(row)) << "row " << row + 1;
  }
}

// Run p shuffles the order of run p - 1 with the next draws of one fixed
// stream, so the runs of -p10 are the first ten runs of -p30: the smallest
// and largest of 30 values lie outside those of the first 10.
TEST_F(PermutationRunsTest, FewerRunsAreTheFirstRunsOfMore) {
  const ProfileSet& ten = genesisRun({"-p10", "-c100"});
  const ProfileSet& thirty = genesisRun({"-p30", "-c100"});
  for (int row = 0; row < ten.obs.rowCount(); ++row) {
    for (const std::string& label : ten.obs.labels()) {
      const double tenLow = ten.mcl.value(row, label), tenHigh = ten.mch.value(row, label);
      if (isFitColumn(label) || std::isnan(tenLow) || std::isnan(tenHigh)) continue;
      EXPECT_LE(thirty.mcl.value(row, label), tenLow) << "row " << row + 1 << " " << label;
      EXPECT_GE(thirty.mch.value(row, label), tenHigh) << "row " << row + 1 << " " << label;
    }
  }
}

TEST_F(PermutationRunsTest, ConsoleLinesOfAPermutationRun) {
  const ProfileSet& run = genesisRun({"-p100"});
  std::string progress;
  for (int p = 10; p <= 100; p += 10) progress += std::to_string(p) + "\r";
  EXPECT_TRUE(std::regex_match(
      run.err, std::regex("Loaded genesis\\.zvc \\(38265 word tokens\\)\n"
                          "Running 100 permutations\n" +
                          progress +
                          "\nCompleted permutation runs\n"
                          "Number of missing fits for Zipf:   [0-9]+\n"
                          "Number of missing fits for Sichel: [0-9]+\n")))
      << run.err;
}

// --- Small texts ------------------------------------------------------------

class SmallPermutationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir_.file("s.zvc"), zvcText({1, 2, 1, 3, 1, 2, 4, 1, 5, 2, 6, 1}));
  }
  std::string progressOf(const std::string& permutations) {
    const ProcessResult result = runTokshuf(dir_, {"-k3", permutations, "s.zvc"});
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    const std::string start = "Loaded s.zvc (12 word tokens)\n";
    const std::string end = "Completed permutation runs\n";
    EXPECT_EQ(result.err.rfind(start, 0), 0u) << result.err;
    const std::size_t endAt = result.err.find(end);
    EXPECT_NE(endAt, std::string::npos) << result.err;
    if (endAt == std::string::npos) return result.err;
    return result.err.substr(start.size(), endAt + end.size() - start.size());
  }

  TempDir dir_;
};

TEST_F(SmallPermutationTest, NoProgressBelowTenRuns) {
  EXPECT_EQ(progressOf("-p9"), "Running 9 permutations\n\nCompleted permutation runs\n");
}

TEST_F(SmallPermutationTest, ProgressEveryTenthRun) {
  EXPECT_EQ(progressOf("-p10"), "Running 10 permutations\n10\r\nCompleted permutation runs\n");
  EXPECT_EQ(progressOf("-p25"),
            "Running 25 permutations\n10\r20\r\nCompleted permutation runs\n");
}

TEST_F(SmallPermutationTest, NoPermutationLinesWithoutRuns) {
  const ProcessResult result = runTokshuf(dir_, {"-p0", "s.zvc"});
  EXPECT_TRUE(result.exitedWith(0));
  EXPECT_EQ(result.err.find("permutation"), std::string::npos) << result.err;
}

TEST_F(SmallPermutationTest, SingleTokenTextKeepsItsValuesInEveryRun) {
  writeFile(dir_.file("s.zvc"), zvcText({3}));
  ASSERT_TRUE(runTokshuf(dir_, {"-k2", "-p7", "s.zvc"}).exitedWith(0));
  const Profile obs = readProfile(dir_, "s.obs");
  for (const std::string name : {"s.mcm", "s.mcl", "s.mch"}) {
    const Profile summary = readProfile(dir_, name);
    ASSERT_EQ(summary.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
      for (const std::string& label : obs.labels()) {
        SCOPED_TRACE(::testing::Message() << name << " row " << row + 1 << " " << label);
        const double observed = obs.value(row, label);
        const double value = summary.value(row, label);
        if (isFitColumn(label) && observed == 0) {
          // Every run's fit failed: no value to summarise.
          EXPECT_TRUE(std::isnan(value)) << summary.text(row, label);
        } else if (std::isnan(observed)) {
          EXPECT_TRUE(std::isnan(value)) << summary.text(row, label);
        } else {
          EXPECT_EQ(value, observed);
        }
      }
    }
  }
}

TEST_F(SmallPermutationTest, EmptyTextWithPermutations) {
  writeFile(dir_.file("s.zvc"), "Word z\n");
  const ProcessResult result = runTokshuf(dir_, {"-k2", "-p3", "s.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  for (const std::string& name : profileNames("s")) {
    const Profile profile = readProfile(dir_, name);
    ASSERT_EQ(profile.rowCount(), 2) << name;
    EXPECT_EQ(profile.text(1, "N"), "0") << name;
    EXPECT_EQ(profile.value(1, "V"), 0) << name;
  }
}

TEST_F(SmallPermutationTest, LargestTextWithHighestRank) {
  std::vector<int> ranks;
  for (int i = 0; i < 220000; ++i) ranks.push_back(i % 3 != 0 ? 1 : 1 + (i % 22000));
  writeFile(dir_.file("s.zvc"), zvcText(ranks));
  const ProcessResult result = runTokshuf(dir_, {"-k4", "-p3", "s.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const Profile obs = readProfile(dir_, "s.obs");
  EXPECT_EQ(obs.value(3, "V"), 22000);
  EXPECT_EQ(obs.value(3, "fthe"), countRank(ranks, 220000, 1));
  for (const std::string name : {"s.mcm", "s.mcl", "s.mch"}) {
    const Profile summary = readProfile(dir_, name);
    for (const std::string& label : kCountColumns) {
      EXPECT_EQ(summary.text(3, label), obs.text(3, label)) << name << " " << label;
    }
  }
}

// The missing-fit lines count over all chunks of all runs. Every order of
// a text of one word type is the same text, so each run adds as many
// missing fits as the text in its own order.
TEST_F(SmallPermutationTest, MissingFitsAreCountedOverAllRuns) {
  writeFile(dir_.file("s.zvc"), zvcText(std::vector<int>(6, 5)));
  const std::regex counts("(?:.|\n)*Zipf:   ([0-9]+)\nNumber of missing fits for Sichel: ([0-9]+)\n");
  std::smatch once, tenTimes;
  const ProcessResult single = runTokshuf(dir_, {"-k3", "s.zvc"});
  const ProcessResult repeated = runTokshuf(dir_, {"-k3", "-p9", "s.zvc"});
  ASSERT_TRUE(std::regex_match(single.err, once, counts)) << single.err;
  ASSERT_TRUE(std::regex_match(repeated.err, tenTimes, counts)) << repeated.err;
  EXPECT_GT(std::stoi(once[1]), 0);
  EXPECT_EQ(std::stoi(tenTimes[1]), 10 * std::stoi(once[1]));
  EXPECT_EQ(std::stoi(tenTimes[2]), 10 * std::stoi(once[2]));
}

// In a text whose only repeated word occurs twice, V2 at a boundary is 1 in
// a run where both of its tokens fall in the prefix and 0 otherwise. The
// sorted run values are then (n - ones) zeros followed by ones ones, and the
// mean gives ones. With t values left out at each end the upper bound is 1
// exactly when ones > t, the lower bound exactly when ones >= n - t.
struct TailCase {
  int runs;
  int level;
  int tail;  // t = floor(runs / (2 * (100 / (100 - level)))) in doubles
};

void PrintTo(const TailCase& tc, std::ostream* out) {
  *out << "-p" << tc.runs << " -c" << tc.level << " (t = " << tc.tail << ")";
}

class TailCountTest : public ::testing::TestWithParam<TailCase> {};

TEST_P(TailCountTest, BoundsOfAZeroOneColumn) {
  const TailCase& tc = GetParam();
  std::vector<int> ranks = {1, 1};
  for (int rank = 2; rank < 120; ++rank) ranks.push_back(rank);
  TempDir dir;
  writeFile(dir.file("b.zvc"), zvcText(ranks));
  const ProcessResult result = runTokshuf(
      dir, {"-k40", "-p" + std::to_string(tc.runs), "-c" + std::to_string(tc.level), "b.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const Profile mcm = readProfile(dir, "b.mcm"), mcl = readProfile(dir, "b.mcl"),
                mch = readProfile(dir, "b.mch");
  bool decisive = false;
  for (int row = 0; row < mcm.rowCount(); ++row) {
    SCOPED_TRACE(::testing::Message() << "row " << row + 1);
    const long ones = std::lround(mcm.value(row, "V2") * tc.runs);
    EXPECT_EQ(mch.value(row, "V2"), ones > tc.tail ? 1 : 0) << ones << " ones";
    EXPECT_EQ(mcl.value(row, "V2"), ones >= tc.runs - tc.tail ? 1 : 0) << ones << " ones";
    decisive = decisive || ones == tc.tail + 1 || ones == tc.runs - tc.tail - 1 ||
               ones == tc.tail || ones == tc.runs - tc.tail;
  }
  EXPECT_TRUE(decisive) << "no boundary where t and t + 1 give other bounds";
}

INSTANTIATE_TEST_SUITE_P(
    Levels, TailCountTest,
    ::testing::Values(
        // 1000 / 66.666... is just below 15 in doubles: t = 14, not 15.
        TailCase{1000, 97, 14}, TailCase{1000, 100, 0}, TailCase{1000, 0, 500}),
    [](const ::testing::TestParamInfo<TailCase>& info) {
      return "Runs" + std::to_string(info.param.runs) + "Level" +
             std::to_string(info.param.level);
    });

TEST(ReproducibilityTest, TwoRunsGiveIdenticalFiles) {
  std::vector<int> ranks = readRanks(genesisPath());
  ranks.resize(5000);
  TempDir first, second;
  writeFile(first.file("g.zvc"), zvcText(ranks));
  writeFile(second.file("g.zvc"), zvcText(ranks));
  const ProcessResult one = runTokshuf(first, {"-p50", "-k10", "g.zvc"});
  const ProcessResult two = runTokshuf(second, {"-p50", "-k10", "g.zvc"});
  ASSERT_TRUE(one.exitedWith(0)) << one.describe();
  ASSERT_TRUE(two.exitedWith(0)) << two.describe();
  EXPECT_EQ(one.err, two.err);
  for (const std::string& name : profileNames("g")) {
    EXPECT_EQ(readFile(first.file(name)), readFile(second.file(name))) << name;
  }
}

}  // namespace
}  // namespace tokshuf::test
