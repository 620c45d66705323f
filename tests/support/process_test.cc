// The child-process runner itself: separate streams, exit status, signals,
// working directory, standard input and set-up steps.

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/process.h"

namespace tokshuf::test {
namespace {

ProcessResult shell(const std::string& script, ProcessOptions options = {}) {
  options.args = {"-c", script};
  return runProcess("/bin/sh", options);
}

TEST(RunProcessTest, SeparatesOutputStreamsAndExitStatus) {
  const ProcessResult result = shell("printf 'out'; printf 'err\\n' >&2; exit 3");
  EXPECT_TRUE(result.exitedWith(3)) << result.describe();
  EXPECT_FALSE(result.signaled);
  EXPECT_EQ(result.out, "out");
  EXPECT_EQ(result.err, "err\n");
}

TEST(RunProcessTest, ReportsTheTerminatingSignal) {
  const ProcessResult result = shell("kill -TERM $$");
  EXPECT_TRUE(result.signaled) << result.describe();
  EXPECT_EQ(result.signal, SIGTERM);
  EXPECT_FALSE(result.exited);
}

TEST(RunProcessTest, LargeOutputOnBothStreamsDoesNotBlock) {
  const ProcessResult result =
      shell("i=0; while [ $i -lt 3000 ]; do echo 0123456789012345678901234567890; "
            "echo abcdefghijabcdefghijabcdefghij >&2; i=$((i+1)); done");
  EXPECT_TRUE(result.exitedWith(0));
  EXPECT_EQ(result.out.size(), 3000u * 32);
  EXPECT_EQ(result.err.size(), 3000u * 31);
}

TEST(RunProcessTest, WorkingDirectoryAndInput) {
  TempDir dir;
  ProcessOptions options;
  options.workingDirectory = dir.path();
  options.input = "hello";
  const ProcessResult result = shell("cat > got; pwd", options);
  EXPECT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(readFile(dir.file("got")), "hello");
  EXPECT_EQ(result.out, dir.path() + "\n");
}

TEST(RunProcessTest, ChildSetupAppliesLimitsAndSignalDispositions) {
  TempDir dir;
  ProcessOptions options;
  options.workingDirectory = dir.path();
  options.childSetup = {limitFileSize(10), setSignalDisposition(SIGXFSZ, SIG_DFL)};
  const ProcessResult result = shell("exec head -c 100 /dev/zero > big", options);
  EXPECT_TRUE(result.signaled) << result.describe();
  EXPECT_EQ(result.signal, SIGXFSZ);
}

TEST(RunProcessTest, ChildHasOnlyItsThreeStreamsOpen) {
  const int extra = dup(STDERR_FILENO);  // not close-on-exec
  const ProcessResult result = shell("ls /proc/self/fd");
  close(extra);
  EXPECT_TRUE(result.exitedWith(0)) << result.describe();
  // The shell's ls reads its own directory through a fourth descriptor.
  EXPECT_EQ(result.out, "0\n1\n2\n3\n");
}

TEST(RunProcessTest, HangingChildIsKilled) {
  ProcessOptions options;
  options.timeoutSeconds = 1;
  const ProcessResult result = shell("exec sleep 600", options);
  EXPECT_TRUE(result.timedOut) << result.describe();
  EXPECT_TRUE(result.signaled);
  EXPECT_EQ(result.signal, SIGKILL);
}

TEST(RunProcessTest, OutputCallbackCanSignalTheChild) {
  ProcessOptions options;
  options.timeoutSeconds = 60;
  std::string seen;
  options.onOutput = [&seen](pid_t child, const ProcessResult& sofar) {
    if (seen.empty() && sofar.err.find("ready") != std::string::npos) {
      seen = sofar.err;
      kill(child, SIGTERM);
    }
  };
  const ProcessResult result = shell("echo ready >&2; exec sleep 600", options);
  EXPECT_EQ(seen, "ready\n");
  EXPECT_TRUE(result.signaled) << result.describe();
  EXPECT_EQ(result.signal, SIGTERM);
  EXPECT_FALSE(result.timedOut);
}

TEST(RunProcessTest, MissingProgramExitsWith127) {
  const ProcessResult result = runProcess("/nonexistent/program", {});
  EXPECT_TRUE(result.exitedWith(127)) << result.describe();
}

TEST(TempDirTest, RemovesItsContentsEvenInReadOnlySubdirectories) {
  std::string path;
  {
    TempDir dir;
    path = dir.path();
    ASSERT_EQ(mkdir(dir.file("ro").c_str(), 0755), 0);
    writeFile(dir.file("ro/f"), "x");
    ASSERT_EQ(chmod(dir.file("ro").c_str(), 0555), 0);
    EXPECT_EQ(listDirectory(path), std::vector<std::string>{"ro"});
  }
  EXPECT_FALSE(fileExists(path));
}

}  // namespace
}  // namespace tokshuf::test
