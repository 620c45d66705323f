// Runs the built tokshuf-rank the way hostile or unlucky machines do:
// unreadable inputs, closed and full standard streams, file size and
// memory limits, signals in mid-run. Whatever happens, an earlier result
// stays as it was, no temporary file is left, and a failure is one line
// and exit status 1.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <csignal>
#include <regex>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/process.h"

namespace tokshuf::test {
namespace {

ProcessResult rank(const TempDir& dir, const std::vector<std::string>& args,
                   std::vector<std::function<void()>> childSetup = {},
                   const std::string& input = "") {
  ProcessOptions options;
  options.args = args;
  options.workingDirectory = dir.path();
  options.childSetup = std::move(childSetup);
  options.input = input;
  options.timeoutSeconds = 120;
  return runProcess(TOKSHUF_RANK_BIN, options);
}

void expectOneErrorLine(const ProcessResult& result, const std::string& message) {
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  EXPECT_EQ(result.err, "tokshuf-rank: " + message + "\n");
  EXPECT_EQ(result.out, "");
}

// The child's descriptor fd opened on path.
std::function<void()> openAs(int fd, const char* path, int flags) {
  return [fd, path, flags] {
    const int opened = open(path, flags);
    dup2(opened, fd);
    if (opened != fd) close(opened);
  };
}

std::function<void()> closeDescriptor(int fd) {
  return [fd] { close(fd); };
}

// A text of many lines and 20001 word types, large enough that
// writing its ranked file takes a while and several file system blocks.
std::string longText() {
  std::string text;
  for (int i = 0; i < 100000; ++i) {
    text += 'w' + std::to_string(i * 7919 % 20000) + (i % 11 == 10 ? ".\n" : " the ");
  }
  return text;
}

TEST(RankCliTest, ReadErrorsAreErrorsNamingTheInput) {
  TempDir dir;
  expectOneErrorLine(rank(dir, {"/proc/self/mem", "x.zvc"}),
                     "cannot read /proc/self/mem: Input/output error");
  expectOneErrorLine(rank(dir, {"-", "x.zvc"}, {closeDescriptor(0)}),
                     "cannot read standard input: Bad file descriptor");
  expectOneErrorLine(rank(dir, {"-", "x.zvc"}, {openAs(0, "/", O_RDONLY)}),
                     "cannot read standard input: Is a directory");
  expectOneErrorLine(rank(dir, {".", "x.zvc"}), "cannot read .: Is a directory");
  expectOneErrorLine(rank(dir, {"missing.txt"}),
                     "cannot open missing.txt: No such file or directory");
  EXPECT_EQ(listDirectory(dir.path()), std::vector<std::string>{});
}

TEST(RankCliTest, ClosedStandardStreamsTakeNoOutput) {
  TempDir dir;
  writeFile(dir.file("in.txt"), "one two two\n");
  const ProcessResult result = rank(dir, {"in.txt"}, {closeDescriptor(1), closeDescriptor(2)});
  EXPECT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(readFile(dir.file("in.zvc")), "Word z\none 2\ntwo 1\ntwo 1\n");
}

TEST(RankCliTest, HelpAndVersionFailOnAFullStandardOutput) {
  TempDir dir;
  for (const char* option : {"-h", "--help", "--version"}) {
    expectOneErrorLine(rank(dir, {option}, {openAs(1, "/dev/full", O_WRONLY)}),
                       "cannot write standard output: No space left on device");
  }
  const ProcessResult version = rank(dir, {"--version"});
  EXPECT_TRUE(version.exitedWith(0));
  EXPECT_TRUE(std::regex_match(version.out, std::regex("tokshuf-rank [0-9]+\\.[0-9]+\\.[0-9]+\n")))
      << version.out;
  const ProcessResult help = rank(dir, {"--help"});
  EXPECT_TRUE(help.exitedWith(0));
  EXPECT_EQ(help.out.rfind("usage: tokshuf-rank", 0), 0u);
  expectOneErrorLine(rank(dir, {"-", "-"}, {openAs(1, "/dev/full", O_WRONLY)}, "a b\n"),
                     "cannot write standard output: No space left on device");
}

TEST(RankCliTest, AFullDiskLeavesTheEarlierFileAndNoTemporaryFile) {
  TempDir dir;
  writeFile(dir.file("in.txt"), longText());
  writeFile(dir.file("in.zvc"), "earlier result\n");
  // The limit is a full disk that the test can make without privileges;
  // beyond it a write fails with EFBIG instead of killing by SIGXFSZ.
  expectOneErrorLine(rank(dir, {"in.txt"}, {limitFileSize(64 * 1024)}), "cannot write in.zvc: File too large");
  EXPECT_EQ(readFile(dir.file("in.zvc")), "earlier result\n");
  EXPECT_EQ(listDirectory(dir.path()), (std::vector<std::string>{"in.txt", "in.zvc"}));
}

// A small tmpfs over a scratch directory, where the system lets the test
// mount one (as root); unmounted when the test ends.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::string& path) : path_(path) {
    mounted_ = mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  std::string path_;
  bool mounted_ = false;
};

TEST(RankCliTest, ARealFullDiskLeavesTheEarlierFileAndNoTemporaryFile) {
  TempDir dir;
  writeFile(dir.file("in.txt"), longText());
  ASSERT_EQ(mkdir(dir.file("disk").c_str(), 0700), 0);
  const SmallFileSystem disk(dir.file("disk"));
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  writeFile(dir.file("disk/in.zvc"), "earlier result\n");
  expectOneErrorLine(rank(dir, {"in.txt", "disk/in.zvc"}),
                     "cannot write disk/in.zvc: No space left on device");
  EXPECT_EQ(readFile(dir.file("disk/in.zvc")), "earlier result\n");
  EXPECT_EQ(listDirectory(dir.file("disk")), std::vector<std::string>{"in.zvc"});
}

TEST(RankCliTest, AnInterruptedRunLeavesTheEarlierFileOrTheWholeNewOne) {
  TempDir dir;
  writeFile(dir.file("in.txt"), longText());
  ASSERT_TRUE(rank(dir, {"in.txt", "complete.zvc"}).exitedWith(0));
  const std::string complete = readFile(dir.file("complete.zvc"));
  int interrupted = 0;
  for (long delayMs : {1, 20, 60, 120, 200, 300, 450, 700}) {
    writeFile(dir.file("in.zvc"), "earlier result\n");
    const ProcessResult result = rank(dir, {"in.txt"}, {[delayMs] {
                                        itimerval timer{};
                                        timer.it_value.tv_sec = delayMs / 1000;
                                        timer.it_value.tv_usec = delayMs % 1000 * 1000;
                                        setitimer(ITIMER_REAL, &timer, nullptr);
                                      }});
    const std::string after = readFile(dir.file("in.zvc"));
    if (result.signaled) {
      // A signal after the rename leaves the new file, complete.
      EXPECT_EQ(result.signal, SIGALRM);
      EXPECT_TRUE(after == "earlier result\n" || after == complete) << delayMs << " ms";
      interrupted += after != complete;
    } else {
      EXPECT_TRUE(result.exitedWith(0)) << result.describe();
      EXPECT_TRUE(after == complete) << delayMs << " ms";
    }
    EXPECT_EQ(listDirectory(dir.path()),
              (std::vector<std::string>{"complete.zvc", "in.txt", "in.zvc"}));
  }
  RecordProperty("interrupted_runs", interrupted);
}

TEST(RankCliTest, RunningOutOfMemoryIsReportedAndWritesNothing) {
#ifdef TOKSHUF_SANITIZED
  GTEST_SKIP() << "the sanitizer runtime needs address space of its own";
#else
  TempDir dir;
  // 500000 word types need far more than 64 MiB of tables.
  std::string text;
  for (int i = 0; i < 500000; ++i) {
    for (int n = i, letters = 0; letters < 5; n /= 26, ++letters) text += char('a' + n % 26);
    text += '\n';
  }
  writeFile(dir.file("many.txt"), text);
  writeFile(dir.file("many.zvc"), "earlier result\n");
  expectOneErrorLine(rank(dir, {"many.txt"}, {limitResource(RLIMIT_AS, 64 << 20)}),
                     "many.txt: out of memory");
  EXPECT_EQ(readFile(dir.file("many.zvc")), "earlier result\n");
  EXPECT_EQ(listDirectory(dir.path()), (std::vector<std::string>{"many.txt", "many.zvc"}));
#endif
}

TEST(RankCliTest, WordsEndingInADigitAreWordsAndNumbersAloneAreNot) {
  TempDir dir;
  const std::string text = "mp3 route66 abc123 1611 2.5 1,000 3rd MP3\n";
  const ProcessResult words = rank(dir, {"-", "-"}, {}, text);
  ASSERT_TRUE(words.exitedWith(0)) << words.describe();
  EXPECT_EQ(words.out, "Word z\nmp3 1\nroute66 2\nabc123 3\n3rd 4\nmp3 1\n");
  const ProcessResult numbers = rank(dir, {"-n", "-"}, {}, text);
  EXPECT_EQ(numbers.out,
            "Word z\nmp3 1\nroute66 2\nabc123 3\n1611 4\n2.5 5\n1,000 6\n3rd 7\nmp3 1\n");
}

TEST(RankCliTest, AFailedRunKeepsTheEarlierFile) {
  TempDir dir;
  writeFile(dir.file("latin1.txt"), "caf\xE9\n");
  writeFile(dir.file("latin1.zvc"), "earlier result\n");
  expectOneErrorLine(rank(dir, {"latin1.txt"}), "latin1.txt: invalid UTF-8 at byte offset 3");
  EXPECT_EQ(readFile(dir.file("latin1.zvc")), "earlier result\n");
  symlink("latin1.txt", dir.file("link.zvc").c_str());
  expectOneErrorLine(rank(dir, {"latin1.txt", "link.zvc"}), "link.zvc is one of the inputs");
}

TEST(RankCliTest, ControlCharactersInNamesAreShownAsQuestionMarks) {
  TempDir dir;
  expectOneErrorLine(rank(dir, {"bad\x1B]0;x\anew\nline.txt"}),
                     "cannot open bad?]0;x?new?line.txt: No such file or directory");
}

}  // namespace
}  // namespace tokshuf::test
