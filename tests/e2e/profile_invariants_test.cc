// Properties every observed profile must have, checked against counts that
// the test takes from the ranked-token file itself.

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

std::string fixed7(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.7f", value);
  return buffer;
}

const char* const kSpectrumLabels[6] = {"", "V1", "V2", "V3", "V4", "V5"};

int prefixLength(const Profile& profile, int row) {
  return std::stoi(profile.text(row, "N"));
}

// The sample text, profiled once per set of options for the whole suite.
class GenesisProfileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<TempDir>("tokshuf-genesis");
    writeFile(dir_->file("genesis.zvc"), readFile(genesisPath()));
    ranks_ = readRanks(genesisPath());
  }
  static void TearDownTestSuite() { dir_.reset(); }

  // Runs the tool with options on the sample and returns the .obs file.
  static std::string observedProfile(std::vector<std::string> options) {
    const auto cached = profiles_.find(options);
    if (cached != profiles_.end()) return cached->second;
    std::vector<std::string> args = options;
    args.push_back("genesis.zvc");
    const ProcessResult result = runTokshuf(*dir_, args);
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    const std::string content = readFile(dir_->file("genesis.obs"));
    profiles_[options] = content;
    return content;
  }
  static Profile parsedProfile(std::vector<std::string> options) {
    return Profile::parse(observedProfile(std::move(options)));
  }

  static std::unique_ptr<TempDir> dir_;
  static std::vector<int> ranks_;
  static std::map<std::vector<std::string>, std::string> profiles_;
};

std::unique_ptr<TempDir> GenesisProfileTest::dir_;
std::vector<int> GenesisProfileTest::ranks_;
std::map<std::vector<std::string>, std::string> GenesisProfileTest::profiles_;

TEST_F(GenesisProfileTest, SampleHoldsTheExpectedText) {
  EXPECT_EQ(ranks_.size(), 38265u);
}

TEST_F(GenesisProfileTest, PrefixLengthsGrowToTheWholeText) {
  const Profile obs = parsedProfile({});
  ASSERT_EQ(obs.rowCount(), 20);
  // 38265 = 20 * 1913 + 5: the first five chunks hold 1914 tokens.
  EXPECT_EQ(obs.text(0, "N"), "1914");
  EXPECT_EQ(obs.text(4, "N"), "9570");
  EXPECT_EQ(obs.text(5, "N"), "11483");
  EXPECT_EQ(obs.text(19, "N"), "38265");
}

TEST_F(GenesisProfileTest, TypeCountsOfEveryPrefixMatchTheText) {
  const Profile obs = parsedProfile({});
  for (int row = 0; row < obs.rowCount(); ++row) {
    SCOPED_TRACE(::testing::Message() << "row " << row + 1);
    const int n = prefixLength(obs, row);
    const PrefixCounts counts = countTypes(ranks_, n);
    EXPECT_EQ(obs.value(row, "V"), counts.V);
    for (int m = 1; m <= 5; ++m) {
      EXPECT_EQ(obs.value(row, kSpectrumLabels[m]), counts.Vm[m]) << kSpectrumLabels[m];
    }
    EXPECT_EQ(obs.value(row, "fa"), countRank(ranks_, n, 4));
    EXPECT_EQ(obs.value(row, "fthe"), countRank(ranks_, n, 1));
    EXPECT_EQ(obs.text(row, "R"), fixed7(counts.V / std::sqrt(double(n))));
    EXPECT_EQ(obs.text(row, "S"), fixed7(double(counts.Vm[2]) / counts.V));
  }
}

TEST_F(GenesisProfileTest, LastRowHoldsTheWholeTextsCounts) {
  const Profile obs = parsedProfile({});
  const int last = obs.rowCount() - 1;
  const int n = int(ranks_.size());
  const PrefixCounts whole = countTypes(ranks_, n);
  EXPECT_EQ(prefixLength(obs, last), n);
  EXPECT_EQ(obs.value(last, "V"), whole.V);
  EXPECT_EQ(obs.value(last, "V1"), whole.Vm[1]);
  EXPECT_EQ(obs.value(last, "V5"), whole.Vm[5]);
  EXPECT_EQ(obs.value(last, "fa"), countRank(ranks_, n, 4));
  EXPECT_EQ(obs.value(last, "fthe"), countRank(ranks_, n, 1));
}

TEST_F(GenesisProfileTest, VocabularyNeverFallsAndBoundsItsLowFrequencyTypes) {
  const Profile obs = parsedProfile({"-k40"});
  ASSERT_EQ(obs.rowCount(), 40);
  for (int row = 0; row < obs.rowCount(); ++row) {
    SCOPED_TRACE(::testing::Message() << "row " << row + 1);
    double lowFrequencyTypes = 0;
    for (int m = 1; m <= 5; ++m) lowFrequencyTypes += obs.value(row, kSpectrumLabels[m]);
    EXPECT_LE(lowFrequencyTypes, obs.value(row, "V"));
    if (row > 0) {
      EXPECT_GE(obs.value(row, "V"), obs.value(row - 1, "V"));
      EXPECT_GE(obs.value(row, "fa"), obs.value(row - 1, "fa"));
      EXPECT_GE(obs.value(row, "fthe"), obs.value(row - 1, "fthe"));
    }
  }
}

TEST_F(GenesisProfileTest, WholeTextRowIsTheSameForAnyChunkCount) {
  const std::vector<std::string> one = splitLines(observedProfile({"-k1"}));
  ASSERT_EQ(one.size(), 2u);
  EXPECT_EQ(one[1].substr(0, one[1].find(' ')), "38265");
  for (const std::string chunks : {"-k20", "-k40", "-k7"}) {
    const std::vector<std::string> lines = splitLines(observedProfile({chunks}));
    EXPECT_EQ(lines.back(), one[1]) << chunks;
  }
}

TEST_F(GenesisProfileTest, OtherRanksForTheTwoWordCounts) {
  const Profile obs = parsedProfile({"-a7", "-t2"});
  for (int row = 0; row < obs.rowCount(); ++row) {
    const int n = prefixLength(obs, row);
    EXPECT_EQ(obs.value(row, "fa"), countRank(ranks_, n, 7)) << "row " << row + 1;
    EXPECT_EQ(obs.value(row, "fthe"), countRank(ranks_, n, 2)) << "row " << row + 1;
  }
}

TEST_F(GenesisProfileTest, WordCountOptionsChangeOnlyTheirColumns) {
  const Profile plain = parsedProfile({});
  const Profile same = parsedProfile({"-a3", "-t3"});
  const int fa = plain.column("fa"), fthe = plain.column("fthe");
  for (int row = 0; row < plain.rowCount(); ++row) {
    EXPECT_EQ(same.text(row, "fa"), same.text(row, "fthe")) << "row " << row + 1;
    for (int col = 0; col < int(plain.labels().size()); ++col) {
      if (col == fa || col == fthe) continue;
      EXPECT_EQ(same.rowText(row)[col], plain.rowText(row)[col])
          << "row " << row + 1 << " column " << plain.labels()[col];
    }
  }
}

TEST_F(GenesisProfileTest, RankAbsentFromTheTextCountsZero) {
  const Profile obs = parsedProfile({"-a22000", "-t0"});
  for (int row = 0; row < obs.rowCount(); ++row) {
    EXPECT_EQ(obs.value(row, "fa"), 0);
    EXPECT_EQ(obs.value(row, "fthe"), 0);
  }
}

TEST_F(GenesisProfileTest, GlobalZipfShareChangesOnlyTheZipfSize) {
  const Profile local = parsedProfile({});
  const Profile global = parsedProfile({"-z"});
  const int z = local.column("Z");
  int rowsWithOtherZ = 0;
  for (int row = 0; row < local.rowCount(); ++row) {
    for (int col = 0; col < int(local.labels().size()); ++col) {
      if (col == z) continue;
      EXPECT_EQ(global.rowText(row)[col], local.rowText(row)[col])
          << "row " << row + 1 << " column " << local.labels()[col];
    }
    rowsWithOtherZ += global.text(row, "Z") != local.text(row, "Z");
  }
  EXPECT_GT(rowsWithOtherZ, 0);
  // Over the whole text the most frequent word is the rank-1 word, so both
  // shares agree in the last row.
  const int last = local.rowCount() - 1;
  EXPECT_EQ(global.text(last, "Z"), local.text(last, "Z"));
}

// --- Small texts with known profiles ----------------------------------------

class SmallTextProfileTest : public ::testing::Test {
 protected:
  Profile profileOf(const std::vector<int>& ranks, const std::vector<std::string>& options) {
    writeFile(dir_.file("s.zvc"), zvcText(ranks));
    std::vector<std::string> args = options;
    args.push_back("s.zvc");
    const ProcessResult result = runTokshuf(dir_, args);
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    content_ = readFile(dir_.file("s.obs"));
    return Profile::parse(content_);
  }

  TempDir dir_;
  std::string content_;
};

TEST_F(SmallTextProfileTest, OneChunkHoldsTheWholeText) {
  const Profile obs = profileOf({5, 3, 5, 7}, {"-k1"});
  ASSERT_EQ(obs.rowCount(), 1);
  EXPECT_EQ(obs.text(0, "N"), "4");
  EXPECT_EQ(obs.value(0, "V"), 3);
  EXPECT_EQ(obs.value(0, "V1"), 2);
  EXPECT_EQ(obs.value(0, "V2"), 1);
  EXPECT_EQ(obs.text(0, "R"), "1.5000000");
  EXPECT_EQ(obs.text(0, "S"), "0.3333333");
  EXPECT_EQ(obs.text(0, "H"), "415.8883083");
  EXPECT_EQ(obs.text(0, "C"), "0.7924813");
  EXPECT_EQ(obs.text(0, "W"), "3.1585860");
  EXPECT_EQ(obs.text(0, "K"), "1250.0000000");
  EXPECT_EQ(obs.text(0, "D"), "0.1666667");
  EXPECT_EQ(obs.text(0, "E"), "1.0397208");
}

TEST_F(SmallTextProfileTest, EmptyChunksRepeatThePreviousRow) {
  profileOf({1, 2, 1, 3, 1}, {"-k20"});
  const std::vector<std::string> lines = splitLines(content_);
  ASSERT_EQ(lines.size(), 21u);
  for (std::size_t i = 6; i < lines.size(); ++i) EXPECT_EQ(lines[i], lines[5]) << "row " << i;
  EXPECT_NE(lines[5], lines[4]);
}

TEST_F(SmallTextProfileTest, EveryTypeOccurringOnce) {
  const Profile obs = profileOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {"-k6"});
  ASSERT_EQ(obs.rowCount(), 6);
  for (int row = 0; row < obs.rowCount(); ++row) {
    SCOPED_TRACE(::testing::Message() << "row " << row + 1);
    const int n = 2 * (row + 1);
    EXPECT_EQ(prefixLength(obs, row), n);
    EXPECT_EQ(obs.value(row, "V"), n);
    EXPECT_EQ(obs.value(row, "V1"), n);
    for (const char* label : {"V2", "V3", "V4", "V5", "K", "D", "S"}) {
      EXPECT_EQ(obs.value(row, label), 0) << label;
    }
    EXPECT_EQ(obs.text(row, "H"), "inf");
    EXPECT_EQ(obs.text(row, "C"), "1.0000000");
    EXPECT_EQ(obs.text(row, "R"), fixed7(std::sqrt(double(n))));
    EXPECT_EQ(obs.value(row, "fa"), n >= 4 ? 1 : 0);
    EXPECT_EQ(obs.value(row, "fthe"), 1);
  }
}

TEST_F(SmallTextProfileTest, OneTokenPrefix) {
  const Profile obs = profileOf({2, 2}, {"-k2"});
  EXPECT_EQ(obs.text(0, "R"), "1.0000000");
  EXPECT_EQ(obs.text(0, "W"), "1.0000000");
  EXPECT_EQ(obs.value(0, "K"), 0);
  EXPECT_TRUE(std::isnan(obs.value(0, "H"))) << obs.text(0, "H");
  EXPECT_TRUE(std::isnan(obs.value(0, "C"))) << obs.text(0, "C");
  EXPECT_TRUE(std::isnan(obs.value(0, "D"))) << obs.text(0, "D");
  EXPECT_EQ(obs.value(1, "V2"), 1);
  EXPECT_EQ(obs.value(1, "fthe"), 0);
}

}  // namespace
}  // namespace tokshuf::test
