// The profile files: their names, format and chunk boundaries, the console
// lines of a run, and what is left on disk when a run fails.

#include <cmath>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

std::vector<int> ranksOfLength(int n) {
  std::vector<int> ranks;
  for (int i = 0; i < n; ++i) ranks.push_back(1 + (i * 7) % 5 + (i % 9 == 0 ? i : 0));
  return ranks;
}

std::string format(const char* pattern, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

class OutputFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(dir_.file("t.zvc"), zvcText(ranksOfLength(45))); }

  ProcessResult run(const std::vector<std::string>& args) {
    return runTokshuf(dir_, args);
  }
  std::vector<std::string> files() { return listDirectory(dir_.path()); }
  std::vector<std::string> firstColumn(const std::string& name) {
    const Profile profile = readProfile(dir_, name);
    std::vector<std::string> column;
    for (int row = 0; row < profile.rowCount(); ++row) {
      column.push_back(profile.text(row, "N"));
    }
    return column;
  }
  // Gives each profile file of base "t" recognisable old content.
  void writeOldOutputs(const std::vector<std::string>& extensions) {
    for (const std::string& ext : extensions) writeFile(dir_.file("t" + ext), "old " + ext);
  }
  void expectOldOutputs(const std::vector<std::string>& extensions) {
    for (const std::string& ext : extensions) {
      EXPECT_EQ(readFile(dir_.file("t" + ext)), "old " + ext) << ext;
    }
  }

  TempDir dir_;
};

TEST_F(OutputFilesTest, ChunkBoundariesGiveTheFirstRemainderChunksOneMoreToken) {
  ASSERT_TRUE(run({"t.zvc"}).exitedWith(0));
  EXPECT_EQ(firstColumn("t.obs"),
            (std::vector<std::string>{"3", "6", "9", "12", "15", "17", "19",
                                      "21", "23", "25", "27", "29", "31", "33",
                                      "35", "37", "39", "41", "43", "45"}));
}

TEST_F(OutputFilesTest, ChunkBoundariesWhenTheCountDividesTheText) {
  ASSERT_TRUE(run({"-k9", "t.zvc"}).exitedWith(0));
  EXPECT_EQ(firstColumn("t.obs"), (std::vector<std::string>{
                                      "5", "10", "15", "20", "25", "30", "35", "40", "45"}));
}

TEST_F(OutputFilesTest, ChunkBoundariesWithMoreChunksThanTokens) {
  writeFile(dir_.file("t.zvc"), zvcText({1, 2, 1, 3, 1}));
  ASSERT_TRUE(run({"t.zvc"}).exitedWith(0));
  std::vector<std::string> expected = {"1", "2", "3", "4"};
  expected.resize(20, "5");
  EXPECT_EQ(firstColumn("t.obs"), expected);
}

TEST_F(OutputFilesTest, ChunkBoundariesAreTheSameInAllFourFiles) {
  ASSERT_TRUE(run({"-p12", "-k7", "t.zvc"}).exitedWith(0));
  const std::vector<std::string> obs = firstColumn("t.obs");
  EXPECT_EQ(obs, (std::vector<std::string>{"7", "14", "21", "27", "33", "39", "45"}));
  for (const std::string name : {"t.mcm", "t.mcl", "t.mch"}) {
    EXPECT_EQ(firstColumn(name), obs) << name;
  }
}

// Every data line must be "%d" followed by 24 times " %10.7f" of its values:
// re-printing the parsed values must reproduce the line byte for byte.
void expectProfileFormat(const std::string& content, int chunks) {
  EXPECT_EQ(content.find('\r'), std::string::npos);
  ASSERT_FALSE(content.empty());
  EXPECT_EQ(content.back(), '\n');
  const std::vector<std::string> lines = splitLines(content);
  ASSERT_EQ(int(lines.size()), 1 + chunks);
  EXPECT_EQ(lines[0],
            "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean sLstdev");
  const Profile profile = Profile::parse(content);
  for (int row = 0; row < profile.rowCount(); ++row) {
    std::string expected = profile.rowText(row)[0];
    EXPECT_TRUE(std::regex_match(expected, std::regex("0|[1-9][0-9]*"))) << expected;
    for (int i = 1; i <= 24; ++i) expected += format(" %10.7f", profile.row(row)[i]);
    EXPECT_EQ(lines[row + 1], expected);
  }
}

TEST_F(OutputFilesTest, AllFourFilesHaveTheProfileFormat) {
  ASSERT_TRUE(run({"-p15", "-k6", "t.zvc"}).exitedWith(0));
  for (const std::string& name : profileNames("t")) {
    SCOPED_TRACE(name);
    expectProfileFormat(readFile(dir_.file(name)), 6);
  }
}

TEST_F(OutputFilesTest, ProfileFormatOfLargeAndNonFiniteValues) {
  // Every type occurs once: H is infinite; one-token prefixes give NaN.
  writeFile(dir_.file("t.zvc"), zvcText({1, 2, 3, 4, 5, 6}));
  ASSERT_TRUE(run({"-k6", "t.zvc"}).exitedWith(0));
  const std::string content = readFile(dir_.file("t.obs"));
  expectProfileFormat(content, 6);
  const Profile obs = Profile::parse(content);
  EXPECT_TRUE(std::isinf(obs.value(1, "H"))) << obs.text(1, "H");
  EXPECT_TRUE(std::isnan(obs.value(0, "C"))) << obs.text(0, "C");
}

TEST_F(OutputFilesTest, OnlyTheObservedProfileWithoutPermutations) {
  ASSERT_TRUE(run({"t.zvc"}).exitedWith(0));
  EXPECT_EQ(files(), (std::vector<std::string>{"t.obs", "t.zvc"}));
}

TEST_F(OutputFilesTest, FourFilesWithPermutations) {
  ASSERT_TRUE(run({"-p3", "t.zvc"}).exitedWith(0));
  EXPECT_EQ(files(), (std::vector<std::string>{"t.mch", "t.mcl", "t.mcm", "t.obs", "t.zvc"}));
}

TEST_F(OutputFilesTest, StaleMonteCarloFilesAreUntouchedWithoutPermutations) {
  writeOldOutputs({".mcm", ".mch", ".mcl"});
  ASSERT_TRUE(run({"-p0", "t.zvc"}).exitedWith(0));
  expectOldOutputs({".mcm", ".mch", ".mcl"});
  EXPECT_NE(readFile(dir_.file("t.obs")).find("N K D"), std::string::npos);
}

TEST_F(OutputFilesTest, ExistingOutputsAreReplaced) {
  writeOldOutputs({".obs", ".mcm", ".mch", ".mcl"});
  ASSERT_TRUE(run({"-p2", "-k2", "t.zvc"}).exitedWith(0));
  for (const std::string& name : profileNames("t")) {
    EXPECT_EQ(splitLines(readFile(dir_.file(name))).size(), 3u) << name;
  }
}

TEST_F(OutputFilesTest, ConsoleLinesOfARunWithoutPermutations) {
  const ProcessResult result = run({"t.zvc"});
  ASSERT_TRUE(result.exitedWith(0));
  EXPECT_TRUE(std::regex_match(result.err,
                               std::regex("Loaded t\\.zvc \\(45 word tokens\\)\n"
                                          "Number of missing fits for Zipf:   [0-9]+\n"
                                          "Number of missing fits for Sichel: [0-9]+\n")))
      << result.err;
}

TEST_F(OutputFilesTest, MissingFitCountsOfAOneTypeText) {
  // A single type: the Sichel fit has nothing to fit at any boundary.
  writeFile(dir_.file("t.zvc"), zvcText(std::vector<int>(30, 1)));
  const ProcessResult result = run({"-k3", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0));
  EXPECT_TRUE(std::regex_match(result.err,
                               std::regex("Loaded t\\.zvc \\(30 word tokens\\)\n"
                                          "Number of missing fits for Zipf:   [0-3]\n"
                                          "Number of missing fits for Sichel: [0-3]\n")))
      << result.err;
}

TEST_F(OutputFilesTest, OutputFilesGetTheModeThatTheUmaskAllows) {
  ProcessOptions options;
  options.args = {"-p2", "t.zvc"};
  options.childSetup = {[] { umask(027); }};
  ASSERT_TRUE(runTokshuf(dir_, options).exitedWith(0));
  for (const std::string& name : profileNames("t")) {
    struct stat info;
    ASSERT_EQ(stat(dir_.file(name).c_str(), &info), 0) << name;
    EXPECT_EQ(info.st_mode & 07777, 0640u) << name;
  }
}

// --- Outputs that would overwrite the input ---------------------------------

TEST_F(OutputFilesTest, InputNamedLikeTheObservedProfileIsRefused) {
  const std::string input = zvcText({1, 2, 1});
  writeFile(dir_.file("x.obs"), input);
  const ProcessResult result = run({"x.obs"});
  expectOneErrorLine(result);
  EXPECT_NE(result.err.find("x.obs"), std::string::npos) << result.err;
  EXPECT_EQ(readFile(dir_.file("x.obs")), input);
  EXPECT_EQ(files(), (std::vector<std::string>{"t.zvc", "x.obs"}));
}

TEST_F(OutputFilesTest, InputNamedLikeAMonteCarloProfileIsRefused) {
  const std::string input = zvcText({1, 2, 1});
  writeFile(dir_.file("x.mcl"), input);
  const ProcessResult result = run({"-p2", "x.mcl"});
  expectOneErrorLine(result);
  EXPECT_NE(result.err.find("x.mcl"), std::string::npos) << result.err;
  EXPECT_EQ(readFile(dir_.file("x.mcl")), input);
  EXPECT_EQ(files(), (std::vector<std::string>{"t.zvc", "x.mcl"}));
}

TEST_F(OutputFilesTest, InputNamedLikeAFileThatIsNotWrittenIsRead) {
  const std::string input = zvcText({1, 2, 1});
  writeFile(dir_.file("x.mcm"), input);
  ASSERT_TRUE(run({"x.mcm"}).exitedWith(0));
  EXPECT_EQ(readFile(dir_.file("x.mcm")), input);
  EXPECT_EQ(files(), (std::vector<std::string>{"t.zvc", "x.mcm", "x.obs"}));
}

TEST_F(OutputFilesTest, OutputThatIsASymbolicLinkToTheInputIsRefused) {
  const std::string input = readFile(dir_.file("t.zvc"));
  ASSERT_EQ(symlink("t.zvc", dir_.file("t.obs").c_str()), 0);
  const ProcessResult result = run({"t.zvc"});
  expectOneErrorLine(result);
  EXPECT_EQ(readFile(dir_.file("t.zvc")), input);
  EXPECT_EQ(files(), (std::vector<std::string>{"t.obs", "t.zvc"}));
}

TEST_F(OutputFilesTest, InputThatIsASymbolicLinkNamedLikeItsOutputIsRefused) {
  const std::string input = readFile(dir_.file("t.zvc"));
  ASSERT_EQ(symlink("t.zvc", dir_.file("link.obs").c_str()), 0);
  const ProcessResult result = run({"link.obs"});
  expectOneErrorLine(result);
  EXPECT_EQ(readFile(dir_.file("t.zvc")), input);
  EXPECT_EQ(files(), (std::vector<std::string>{"link.obs", "t.zvc"}));
}

TEST_F(OutputFilesTest, OutputThatIsAHardLinkToTheInputIsRefused) {
  const std::string input = readFile(dir_.file("t.zvc"));
  ASSERT_EQ(link(dir_.file("t.zvc").c_str(), dir_.file("t.mch").c_str()), 0);
  const ProcessResult result = run({"-p2", "t.zvc"});
  expectOneErrorLine(result);
  EXPECT_NE(result.err.find("t.mch"), std::string::npos) << result.err;
  EXPECT_EQ(readFile(dir_.file("t.zvc")), input);
  EXPECT_EQ(files(), (std::vector<std::string>{"t.mch", "t.zvc"}));
}

// --- Failed runs leave earlier results alone --------------------------------

TEST_F(OutputFilesTest, UnopenableUpperBoundFileChangesNothing) {
  writeOldOutputs({".obs", ".mcm"});
  ASSERT_EQ(mkdir(dir_.file("t.mch").c_str(), 0755), 0);
  const ProcessResult result = run({"-p5", "t.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile t.mch\n");
  expectOldOutputs({".obs", ".mcm"});
  EXPECT_EQ(files(), (std::vector<std::string>{"t.mch", "t.mcm", "t.obs", "t.zvc"}));
}

TEST_F(OutputFilesTest, UnopenableFileCreatesNoneOfTheOthers) {
  ASSERT_EQ(mkdir(dir_.file("t.mcl").c_str(), 0755), 0);
  const ProcessResult result = run({"-p5", "t.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile t.mcl\n");
  EXPECT_EQ(files(), (std::vector<std::string>{"t.mcl", "t.zvc"}));
}

TEST_F(OutputFilesTest, UnopenableObservedProfileInASubdirectory) {
  ASSERT_EQ(mkdir(dir_.file("sub").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(dir_.file("sub/t.obs").c_str(), 0755), 0);
  writeFile(dir_.file("sub/t.zvc"), zvcText({1, 2, 1}));
  const ProcessResult result = run({"sub/t.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile sub/t.obs\n");
  EXPECT_EQ(listDirectory(dir_.file("sub")), (std::vector<std::string>{"t.obs", "t.zvc"}));
}

TEST_F(OutputFilesTest, OutputFilesAreCheckedBeforeTheInputIsRead) {
  writeFile(dir_.file("t.zvc"), "Word z\nthe x\n");
  ASSERT_EQ(mkdir(dir_.file("t.obs").c_str(), 0755), 0);
  const ProcessResult result = run({"t.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile t.obs\n");
}

TEST_F(OutputFilesTest, UnwritableDirectoryIsReportedWithTheTargetName) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  ASSERT_EQ(mkdir(dir_.file("ro").c_str(), 0755), 0);
  writeFile(dir_.file("ro/t.zvc"), zvcText({1, 2, 1}));
  ASSERT_EQ(chmod(dir_.file("ro").c_str(), 0555), 0);
  const ProcessResult result = run({"ro/t.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile ro/t.obs\n");
  EXPECT_EQ(listDirectory(dir_.file("ro")), std::vector<std::string>{"t.zvc"});
}

// With its three streams and the input open, a descriptor limit of 4 + i
// lets the tool create the temporary files of the first i outputs only.
TEST_F(OutputFilesTest, OutputThatCannotBeCreatedIsNamedAndNothingIsLeft) {
#ifdef TOKSHUF_SANITIZED
  GTEST_SKIP() << "the sanitizer runtime needs file descriptors of its own";
#endif
  writeOldOutputs({".obs", ".mcm", ".mch", ".mcl"});
  const std::vector<std::string> openingOrder = {"t.obs", "t.mcm", "t.mch", "t.mcl"};
  for (int created = 0; created < 4; ++created) {
    ProcessOptions options;
    options.args = {"-p2", "t.zvc"};
    options.childSetup = {limitResource(RLIMIT_NOFILE, rlim_t(4 + created))};
    const ProcessResult result = runTokshuf(dir_, options);
    EXPECT_TRUE(result.exitedWith(1)) << result.describe();
    EXPECT_EQ(result.err, "tokshuf: can't open textfile " + openingOrder[created] + "\n");
    expectOldOutputs({".obs", ".mcm", ".mch", ".mcl"});
    EXPECT_EQ(files(), (std::vector<std::string>{"t.mch", "t.mcl", "t.mcm", "t.obs", "t.zvc"}));
  }
}

TEST_F(OutputFilesTest, InvalidInputKeepsEarlierResults) {
  ASSERT_TRUE(run({"-p4", "t.zvc"}).exitedWith(0));
  std::vector<std::string> before;
  for (const std::string& name : profileNames("t")) before.push_back(readFile(dir_.file(name)));

  for (const std::string bad : {"Word z\nthe 1\nthe x\n", "Word z\nthe 22001\n"}) {
    writeFile(dir_.file("t.zvc"), bad);
    const ProcessResult result = run({"-p4", "t.zvc"});
    expectOneErrorLine(result);
    EXPECT_EQ(files(), (std::vector<std::string>{"t.mch", "t.mcl", "t.mcm", "t.obs", "t.zvc"}));
    for (std::size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(readFile(dir_.file(profileNames("t")[i])), before[i]);
    }
  }
}

TEST_F(OutputFilesTest, TooLongTextKeepsEarlierResults) {
  writeOldOutputs({".obs"});
  writeFile(dir_.file("t.zvc"), zvcText(std::vector<int>(220001, 3)));
  const ProcessResult result = run({"t.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  expectOldOutputs({".obs"});
  EXPECT_EQ(files(), (std::vector<std::string>{"t.obs", "t.zvc"}));
}

TEST_F(OutputFilesTest, WriteErrorIsReportedAndLeavesNoTemporaryFile) {
  writeOldOutputs({".obs"});
  ProcessOptions options;
  options.args = {"-k40", "t.zvc"};
  options.childSetup = {limitFileSize(1000)};
  const ProcessResult result = runTokshuf(dir_, options);
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  EXPECT_TRUE(result.err.ends_with("\ntokshuf: can't write t.obs\n")) << result.err;
  expectOldOutputs({".obs"});
  EXPECT_EQ(files(), (std::vector<std::string>{"t.obs", "t.zvc"}));
}

}  // namespace
}  // namespace tokshuf::test
