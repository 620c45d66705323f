// Permutation runs: progress lines, reproducibility, and the properties of
// the Monte Carlo means and confidence bounds.

#include <cmath>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tokshuf_run.h"

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
  const ProfileSet& run = genesisRun({"-p200"});
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
  const ProfileSet& run = genesisRun({"-p200"});
  // The sample's own order introduces new words faster or slower than a
  // random order: at the first boundary the means differ from the text.
  EXPECT_NE(run.mcm.text(0, "V"), run.obs.text(0, "V"));
  EXPECT_NE(run.mcl.text(0, "V"), run.mch.text(0, "V"));
}

TEST_F(PermutationRunsTest, LowerBoundNeverExceedsUpperBoundForCounts) {
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"-p200"}, std::vector<std::string>{"-p100", "-c50"}}) {
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
  const ProfileSet& run = genesisRun({"-p200"});
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
  const ProfileSet& moreRuns = genesisRun({"-p200"});
  for (int row = 0; row < withRuns.obs.rowCount(); ++row) {
    EXPECT_EQ(withRuns.obs.rowText(row), moreRuns.obs.rowText(row)) << "row " << row + 1;
  }
}

TEST_F(PermutationRunsTest, ConsoleLinesOfAPermutationRun) {
  const ProfileSet& run = genesisRun({"-p200"});
  std::string progress;
  for (int p = 10; p <= 200; p += 10) progress += std::to_string(p) + "\r";
  EXPECT_TRUE(std::regex_match(
      run.err, std::regex("Loaded genesis\\.zvc \\(38265 word tokens\\)\n"
                          "Running 200 permutations\n" +
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
