#include "plot/profile_run.h"

#include "plot/companion_age.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace tokshuf::plot {
namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean sLstdev\n";

std::string rows(const std::vector<long long>& tokens) {
  std::string text;
  for (long long n : tokens) {
    text += std::to_string(n);
    for (int i = 0; i < kMeasureCount; ++i) text += "  1.0000000";
    text += "\n";
  }
  return text;
}

class ProfileRunTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(testing::TempDir()) /
           ("profile_run_" + std::to_string(getpid()) + "_" +
            std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string write(const std::string& name, const std::string& text) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::string errorOf(const std::string& obs) {
    try {
      loadProfileRun(obs);
    } catch (const ProfileError& e) {
      return e.what();
    }
    return "no error";
  }
  std::string at(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(ProfileRunTest, CompanionNamesReplaceTheObsExtension) {
  EXPECT_EQ(companionPath("a/b.c/text.obs", ".mcm"), "a/b.c/text.mcm");
  EXPECT_EQ(companionPath("text.txt", ".mcm"), std::nullopt);
  EXPECT_EQ(companionPath(".obs", ".mcm"), std::nullopt);
}

TEST_F(ProfileRunTest, ObsAloneIsACompleteRun) {
  const std::string obs = write("t.obs", kHeader + rows({5, 10}));
  const ProfileRun run = loadProfileRun(obs);
  EXPECT_EQ(run.observed.rows.size(), 2u);
  EXPECT_FALSE(run.mean || run.lower || run.upper);
}

TEST_F(ProfileRunTest, ReadsAllCompanionsOfTheRun) {
  const std::string obs = write("t.obs", kHeader + rows({5, 10}));
  for (const char* ext : {".mcm", ".mcl", ".mch"}) write(std::string("t") + ext, kHeader + rows({5, 10}));
  const ProfileRun run = loadProfileRun(obs);
  ASSERT_TRUE(run.mean && run.lower && run.upper);
  EXPECT_EQ(run.upper->path, at("t.mch"));
}

TEST_F(ProfileRunTest, DifferentNColumnMeansADifferentRun) {
  const std::string obs = write("t.obs", kHeader + rows({5, 10, 15}));
  write("t.mcm", kHeader + rows({5, 10, 15}));
  write("t.mcl", kHeader + rows({5, 11, 15}));
  EXPECT_EQ(errorOf(obs), at("t.mcl") + ":3: N is 11 but " + at("t.obs") +
                              ":3 has 10; not the same run");
}

TEST_F(ProfileRunTest, DifferentChunkCountMeansADifferentRun) {
  const std::string obs = write("t.obs", kHeader + rows({5, 10, 15}));
  write("t.mch", kHeader + rows({5, 10}));
  EXPECT_EQ(errorOf(obs),
            at("t.mch") + ":3: 2 chunk rows but " + at("t.obs") + " has 3; not the same run");
}

TEST_F(ProfileRunTest, MalformedCompanionIsNamed) {
  const std::string obs = write("t.obs", kHeader + rows({5}));
  write("t.mcm", kHeader + "5 1 2 3\n");
  EXPECT_EQ(errorOf(obs), at("t.mcm") + ":2: expected 25 fields, found 4");
}

TEST_F(ProfileRunTest, MissingObsIsAnError) {
  EXPECT_NE(errorOf(at("none.obs")).find("cannot open " + at("none.obs")), std::string::npos);
}

TEST_F(ProfileRunTest, SeveralRunsInTheOrderGiven) {
  const std::string a = write("a.obs", kHeader + rows({5}));
  const std::string b = write("b.obs", kHeader + rows({7, 14}));
  write("b.mcm", kHeader + rows({7, 14}));
  const std::vector<ProfileRun> runs = loadProfileRuns({b, a});
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].observed.path, b);
  EXPECT_TRUE(runs[0].mean.has_value());
  EXPECT_EQ(runs[1].observed.rows.size(), 1u);
}

TEST_F(ProfileRunTest, TheSameFileTwiceUnderAnyNameIsAnError) {
  const std::string a = write("a.obs", kHeader + rows({5}));
  write("b.obs", kHeader + rows({5}));
  fs::create_symlink("a.obs", at("link.obs"));
  auto errorOfRuns = [](const std::vector<std::string>& paths) -> std::string {
    try {
      loadProfileRuns(paths);
    } catch (const ProfileError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(errorOfRuns({a, at("b.obs"), at("link.obs")}),
            at("link.obs") + " and " + a + " are the same file; give each text once");
  EXPECT_EQ(errorOfRuns({a, a}), a + " and " + a + " are the same file; give each text once");
}

TEST_F(ProfileRunTest, CompanionsOfTheSameRunAreNotOlder) {
  const std::string obs = write("t.obs", kHeader + rows({5}));
  write("t.mcm", kHeader + rows({5}));
  EXPECT_TRUE(olderCompanions(loadProfileRun(obs)).empty());
}

TEST_F(ProfileRunTest, LeftoverCompanionIsOlder) {
  const std::string obs = write("t.obs", kHeader + rows({5}));
  const std::string mcm = write("t.mcm", kHeader + rows({5}));
  const std::string mcl = write("t.mcl", kHeader + rows({5}));
  fs::last_write_time(mcl, fs::last_write_time(obs) - std::chrono::hours(1));
  EXPECT_EQ(olderCompanions(loadProfileRun(obs)), (std::vector<std::string>{mcl}));
}

}  // namespace
}  // namespace tokshuf::plot
