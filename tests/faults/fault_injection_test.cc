#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/tokshuf_run.h"
#include "util/printable.h"

namespace tokshuf::test {
namespace {

const std::string kOld = "earlier results\n";

bool hasTemporaryFile(const TempDir& dir) {
  for (const std::string& name : listDirectory(dir.path())) {
    if (name.find(".tmp.") != std::string::npos) return true;
  }
  return false;
}

// Earlier results of a run on text.zvc, to check that a failure keeps them.
void writeEarlierResults(const TempDir& dir) {
  for (const std::string& name : profileNames("text")) writeFile(dir.file(name), kOld);
}

void expectEarlierResultsIntact(const TempDir& dir) {
  for (const std::string& name : profileNames("text")) {
    EXPECT_EQ(readFile(dir.file(name)), kOld) << name;
  }
  EXPECT_FALSE(hasTemporaryFile(dir));
}

// A tmpfs mounted over a scratch directory for the test's lifetime; mounting
// needs root, so tests skip where it is refused.
class ScratchMount {
 public:
  explicit ScratchMount(const TempDir& dir, const std::string& size)
      : path_(dir.path()) {
    const std::string options = "size=" + size;
    mounted_ = mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~ScratchMount() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  bool makeReadOnly() {
    return mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::string path_;
  bool mounted_ = false;
};

TEST(FaultInjection, ReadOnlyOutputDirectory) {
  TempDir dir;
  ScratchMount scratch(dir, "4m");
  if (!scratch.mounted()) GTEST_SKIP() << "cannot mount a scratch file system here";
  writeFile(dir.file("text.zvc"), zvcText({1, 2, 1, 3, 1, 4}));
  writeEarlierResults(dir);
  ASSERT_TRUE(scratch.makeReadOnly());

  const ProcessResult result = runTokshuf(dir, {"-p10", "text.zvc"});
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  EXPECT_EQ(result.err, "tokshuf: can't open textfile text.obs\n");
  expectEarlierResultsIntact(dir);
}

TEST(FaultInjection, UnwritableDirectoryWithoutRoot) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  TempDir dir;
  writeFile(dir.file("text.zvc"), zvcText({1, 2, 1}));
  writeEarlierResults(dir);
  chmod(dir.path().c_str(), 0555);
  const ProcessResult result = runTokshuf(dir, {"-p10", "text.zvc"});
  chmod(dir.path().c_str(), 0755);
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile text.obs\n");
  expectEarlierResultsIntact(dir);
}

TEST(FaultInjection, OutputNameIsADirectory) {
  TempDir dir;
  writeFile(dir.file("text.zvc"), zvcText({1, 2, 1}));
  ASSERT_EQ(mkdir(dir.file("text.mcl").c_str(), 0755), 0);
  const ProcessResult result = runTokshuf(dir, {"-p10", "text.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile text.mcl\n");
  EXPECT_FALSE(fileExists(dir.file("text.obs")));
  EXPECT_FALSE(hasTemporaryFile(dir));
}

TEST(FaultInjection, FullFileSystem) {
  TempDir dir;
  ScratchMount scratch(dir, "64k");
  if (!scratch.mounted()) GTEST_SKIP() << "cannot mount a scratch file system here";
  std::vector<int> ranks;
  for (int i = 0; i < 2000; ++i) ranks.push_back(1 + (i * 7919) % 300);
  writeFile(dir.file("text.zvc"), zvcText(ranks));  // about 18 KB
  writeEarlierResults(dir);
  // Four profiles of 40 rows need about 48 KB; less than 32 KB is left.
  const ProcessResult result = runTokshuf(dir, {"-p10", "-k40", "text.zvc"});
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  // The one error line is the last; the progress lines come before it.
  const std::size_t last = result.err.rfind("tokshuf: ");
  ASSERT_NE(last, std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("tokshuf: "), last);
  EXPECT_EQ(result.err.rfind("\ntokshuf: can't write text.", last), last - 1) << result.err;
  EXPECT_EQ(result.err.find('\n', last), result.err.size() - 1) << result.err;
  expectEarlierResultsIntact(dir);
}

TEST(FaultInjection, FileSizeLimitPartWay) {
  TempDir dir;
  writeFile(dir.file("text.zvc"), readFile(genesisPath()));
  writeEarlierResults(dir);
  ProcessOptions options;
  options.args = {"-p10", "-k40", "text.zvc"};
  options.childSetup = {limitFileSize(6000)};  // the tool ignores SIGXFSZ itself
  const ProcessResult result = runTokshuf(dir, options);
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  EXPECT_NE(result.err.find("tokshuf: can't write text.obs\n"), std::string::npos)
      << result.err;
  expectEarlierResultsIntact(dir);
}

void expectSignalCleansUp(int signal) {
  TempDir dir;
  writeFile(dir.file("text.zvc"), readFile(genesisPath()));
  writeEarlierResults(dir);
  ProcessOptions options;
  options.args = {"-p5000", "-k40", "text.zvc"};
  // The first progress number comes once the permutation runs are under
  // way, with the temporary files in place and far from the end.
  bool sent = false;
  options.onOutput = [&sent, signal](pid_t child, const ProcessResult& sofar) {
    if (!sent && sofar.err.find("\n10\r") != std::string::npos) {
      sent = kill(child, signal) == 0;
    }
  };
  const ProcessResult result = runTokshuf(dir, options);
  ASSERT_TRUE(sent) << result.describe();
  ASSERT_TRUE(result.signaled) << result.describe();
  EXPECT_EQ(result.signal, signal);
  expectEarlierResultsIntact(dir);
}

TEST(FaultInjection, InterruptDuringPermutationRuns) { expectSignalCleansUp(SIGINT); }
TEST(FaultInjection, TerminateDuringPermutationRuns) { expectSignalCleansUp(SIGTERM); }

TEST(FaultInjection, InputIsADirectory) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.file("text.zvc").c_str(), 0755), 0);
  const ProcessResult result = runTokshuf(dir, {"text.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile text.zvc\n");
  EXPECT_FALSE(fileExists(dir.file("text.obs")));
}

TEST(FaultInjection, InputWithoutReadPermission) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads files without permission";
  TempDir dir;
  writeFile(dir.file("text.zvc"), zvcText({1, 2}));
  chmod(dir.file("text.zvc").c_str(), 0);
  const ProcessResult result = runTokshuf(dir, {"text.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile text.zvc\n");
}

TEST(FaultInjection, BinaryInputGetsOneClearLine) {
  TempDir dir;
  std::string bytes;
  for (int i = 0; i < 4096; ++i) bytes.push_back(char((i * 193 + 71) % 256));
  writeFile(dir.file("text.zvc"), bytes);
  writeEarlierResults(dir);
  const ProcessResult result = runTokshuf(dir, {"-p10", "text.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err.rfind("tokshuf: text.zvc, line ", 0), 0u) << result.err;
  EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
  // Bytes of the input appear only as text a terminal shows safely: valid
  // UTF-8 without control characters.
  const std::string line = result.err.substr(0, result.err.size() - 1);
  EXPECT_EQ(util::printable(line, line.size()), line) << "unprintable bytes in the message";
  expectEarlierResultsIntact(dir);
}

TEST(FaultInjection, EmptyAndHeaderOnlyFilesAreTextsOfNoTokens) {
  for (const std::string& content : {std::string(), std::string("Word z\n")}) {
    TempDir dir;
    writeFile(dir.file("text.zvc"), content);
    const ProcessResult result = runTokshuf(dir, {"-p3", "-k4", "text.zvc"});
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    EXPECT_EQ(result.err.rfind("Loaded text.zvc (0 word tokens)\n", 0), 0u);
    const Profile profile = readProfile(dir, "text.obs");
    ASSERT_EQ(profile.rowCount(), 4);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(profile.value(row, "N"), 0.0);
  }
}

}  // namespace
}  // namespace tokshuf::test
