// The result files of a run as one unit: whatever fails, interrupts or runs
// alongside a run, its profile files are afterwards either all the earlier
// run's or all its own, and no temporary file is left behind.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <future>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

const std::string kOld = "earlier results\n";

int countTemporaryFiles(const TempDir& dir) {
  int count = 0;
  for (const std::string& name : listDirectory(dir.path())) {
    if (name.find(".tmp.") != std::string::npos) ++count;
  }
  return count;
}

bool hasTemporaryFile(const TempDir& dir) { return countTemporaryFiles(dir) > 0; }

std::map<std::string, std::string> readResults(const TempDir& dir) {
  std::map<std::string, std::string> results;
  for (const std::string& name : profileNames("text")) {
    if (fileExists(dir.file(name))) results[name] = readFile(dir.file(name));
  }
  return results;
}

// A directory with text.zvc and the four result files of an earlier run.
struct Workspace {
  TempDir dir;
  explicit Workspace(const std::string& text = readFile(genesisPath())) {
    writeFile(dir.file("text.zvc"), text);
    for (const std::string& name : profileNames("text")) writeFile(dir.file(name), kOld);
  }
  void expectEarlierResults() const {
    for (const std::string& name : profileNames("text")) {
      EXPECT_EQ(readFile(dir.file(name)), kOld) << name;
    }
    EXPECT_FALSE(hasTemporaryFile(dir));
  }
};

// The results the tool writes for args in a directory of its own.
std::map<std::string, std::string> resultsOf(const std::string& text,
                                             const std::vector<std::string>& args) {
  TempDir dir;
  writeFile(dir.file("text.zvc"), text);
  std::vector<std::string> all = args;
  all.push_back("text.zvc");
  const ProcessResult result = runTokshuf(dir, all);
  EXPECT_TRUE(result.exitedWith(0)) << result.describe();
  return readResults(dir);
}

// Runs the tool on another thread; waitForTemporaries(n) returns once the
// run has created n temporary files, i.e. it is under way.
class BackgroundRun {
 public:
  BackgroundRun(const TempDir& dir, ProcessOptions options) : dir_(dir) {
    std::promise<pid_t> started;
    pidFuture_ = started.get_future();
    options.onStart = [promise = std::make_shared<std::promise<pid_t>>(std::move(started))](
                          pid_t pid) { promise->set_value(pid); };
    result_ = std::async(std::launch::async, [this, options] { return runTokshuf(dir_, options); });
    pid_ = pidFuture_.get();
  }
  pid_t pid() const { return pid_; }
  bool waitForTemporaries(int count = 1) const {
    for (int i = 0; i < 2000; ++i) {
      if (countTemporaryFiles(dir_) >= count) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
  }
  ProcessResult finish() { return result_.get(); }

 private:
  const TempDir& dir_;
  std::future<pid_t> pidFuture_;
  std::future<ProcessResult> result_;
  pid_t pid_ = 0;
};

ProcessOptions longRun() {
  ProcessOptions options;
  options.args = {"-p5000", "-k40", "text.zvc"};
  options.timeoutSeconds = 300;
  return options;
}

TEST(StandardDescriptors, ClosedAtStartTheResultsStayClean) {
  const std::string text = zvcText({1, 2, 1, 3, 1, 4, 2, 5});
  const auto expected = resultsOf(text, {"-p20"});
  for (const std::vector<int>& closed : {std::vector<int>{0, 2}, {1, 2}, {0, 1, 2}}) {
    Workspace workspace(text);
    ProcessOptions options;
    options.args = {"-p20", "text.zvc"};
    options.childSetup = {[closed] {
      for (int fd : closed) close(fd);
    }};
    const ProcessResult result = runTokshuf(workspace.dir, options);
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    EXPECT_EQ(readResults(workspace.dir), expected);
  }
}

TEST(ResultSet, DirectoryAppearingAtATargetKeepsTheEarlierSet) {
  Workspace workspace;
  ASSERT_EQ(unlink(workspace.dir.file("text.mch").c_str()), 0);
  ProcessOptions options = longRun();
  options.args = {"-p1000", "text.zvc"};
  BackgroundRun run(workspace.dir, options);
  ASSERT_TRUE(run.waitForTemporaries(4));
  ASSERT_EQ(mkdir(workspace.dir.file("text.mch").c_str(), 0755), 0);
  const ProcessResult result = run.finish();
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  EXPECT_NE(result.err.find("tokshuf: can't write text.mch\n"), std::string::npos) << result.err;
  for (const char* name : {"text.obs", "text.mcm", "text.mcl"}) {
    EXPECT_EQ(readFile(workspace.dir.file(name)), kOld) << name;
  }
  EXPECT_FALSE(hasTemporaryFile(workspace.dir));
}

// Whether the unprivileged user can reach and run program (a build tree
// under a private directory it cannot).
bool nobodyCanRun(const char* program) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(1);
    _exit(access(program, X_OK) == 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// In a sticky directory only the owner may replace a file: a run by another
// user may replace its own earlier files but not one that is not its.
TEST(ResultSet, StickyDirectoryWithAnotherUsersFileKeepsTheEarlierSet) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as two users";
  constexpr uid_t kNobody = 65534;
  if (!nobodyCanRun(TOKSHUF_BINARY)) GTEST_SKIP() << "the build lies where nobody may not run it";
  Workspace workspace(zvcText({1, 2, 1, 3, 1, 4}));
  ASSERT_EQ(chmod(workspace.dir.path().c_str(), 01777), 0);
  for (const char* name : {"text.obs", "text.mcl", "text.mch"}) {
    ASSERT_EQ(chown(workspace.dir.file(name).c_str(), kNobody, kNobody), 0);
  }
  // Writable by all, so only the sticky bit stands in the way.
  ASSERT_EQ(chmod(workspace.dir.file("text.mcm").c_str(), 0666), 0);
  ProcessOptions options;
  options.args = {"-p20", "text.zvc"};
  options.childSetup = {[] {
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(126);
  }};
  const ProcessResult result = runTokshuf(workspace.dir, options);
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  EXPECT_NE(result.err.find("tokshuf: can't write text.mcm\n"), std::string::npos) << result.err;
  workspace.expectEarlierResults();
}

ProcessOptions withShim(std::vector<std::string> args,
                        std::vector<std::pair<std::string, std::string>> settings) {
  ProcessOptions options;
  options.args = std::move(args);
  settings.emplace_back("LD_PRELOAD", FAULT_SHIM_LIBRARY);
  options.childSetup = {[settings] {
    for (const auto& [name, value] : settings) setenv(name.c_str(), value.c_str(), 1);
  }};
  return options;
}

TEST(ResultSet, FailedRenameRollsBackTheFilesAlreadyReplaced) {
  const std::string text = zvcText({1, 2, 1, 3, 1, 4, 2, 5});
  for (const char* failing : {"1", "2", "4"}) {
    Workspace workspace(text);
    const ProcessResult result = runTokshuf(
        workspace.dir, withShim({"-p20", "text.zvc"}, {{"FAULT_SHIM_FAIL_RENAME", failing}}));
    EXPECT_TRUE(result.exitedWith(1)) << result.describe();
    workspace.expectEarlierResults();
  }
}

TEST(ResultSet, InterruptBetweenTwoRenamesDoesNotSplitTheSet) {
  const std::string text = zvcText({1, 2, 1, 3, 1, 4, 2, 5});
  const auto expected = resultsOf(text, {"-p20"});
  Workspace workspace(text);
  const ProcessResult result = runTokshuf(
      workspace.dir, withShim({"-p20", "text.zvc"}, {{"FAULT_SHIM_SIGNAL_AFTER_RENAME", "2"}}));
  EXPECT_TRUE(result.signaled && result.signal == SIGINT) << result.describe();
  EXPECT_EQ(readResults(workspace.dir), expected);
  EXPECT_FALSE(hasTemporaryFile(workspace.dir));
}

// Each new file reaches the disk before it replaces its target, and the
// directory after the last rename.
TEST(ResultSet, FilesAreFlushedToDiskBeforeTheyAreRenamedIntoPlace) {
  Workspace workspace(zvcText({1, 2, 1, 3}));
  const std::string log = workspace.dir.file("calls.log");
  const ProcessResult result =
      runTokshuf(workspace.dir, withShim({"-p5", "text.zvc"}, {{"FAULT_SHIM_LOG", log}}));
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  std::vector<std::string> calls;
  std::string all = readFile(log);
  for (std::size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos; start = end + 1) {
    calls.push_back(all.substr(start, end - start));
  }
  int renames = 0;
  std::vector<std::string> synced;
  for (const std::string& call : calls) {
    if (call.rfind("fsync ", 0) == 0) synced.push_back(call.substr(6));
    if (call.rfind("rename ", 0) != 0) continue;
    ++renames;
    const std::string from = workspace.dir.file(call.substr(7, call.find(' ', 7) - 7));
    EXPECT_NE(std::find(synced.begin(), synced.end(), from), synced.end()) << all;
  }
  EXPECT_EQ(renames, 4);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), "fsync " + workspace.dir.path()) << all;
}

// Both runs write the same four files; afterwards each pair of bounds
// comes from one run. Without taking turns this mixed about one round in
// ten.
TEST(ResultSet, ConcurrentRunsLeaveTheFilesOfOneRun) {
#ifdef TOKSHUF_SANITIZED
  GTEST_SKIP() << "a question of timing, not of memory: too slow under sanitizers";
#endif
  const std::string genesis = readFile(genesisPath());
  const std::string text = genesis.substr(0, genesis.find('\n', 20000) + 1);
  const std::vector<std::vector<std::string>> options = {{"-p30", "-c90"}, {"-p30", "-c99"}};
  const auto first = resultsOf(text, options[0]);
  const auto second = resultsOf(text, options[1]);
  ASSERT_NE(first.at("text.mcl"), second.at("text.mcl"));
  Workspace workspace(text);
  for (int round = 0; round < 60; ++round) {
    std::vector<std::future<ProcessResult>> runs;
    for (const auto& args : options) {
      std::vector<std::string> all = args;
      all.push_back("text.zvc");
      runs.push_back(std::async(std::launch::async, [&, all] { return runTokshuf(workspace.dir, all); }));
    }
    for (auto& run : runs) EXPECT_TRUE(run.get().exitedWith(0));
    const auto results = readResults(workspace.dir);
    EXPECT_TRUE(results == first || results == second) << "round " << round;
  }
  EXPECT_FALSE(hasTemporaryFile(workspace.dir));
}

void expectSignalEndsRunCleanly(int signal, ProcessOptions options = longRun()) {
  Workspace workspace;
  BackgroundRun run(workspace.dir, options);
  ASSERT_TRUE(run.waitForTemporaries());
  ASSERT_EQ(kill(run.pid(), signal), 0);
  const ProcessResult result = run.finish();
  EXPECT_TRUE(result.signaled && result.signal == signal) << result.describe();
  workspace.expectEarlierResults();
}

TEST(EndingSignals, EveryCatchableOneCleansUpAndEndsTheRunByItself) {
  for (int signal : {SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    expectSignalEndsRunCleanly(signal);
  }
}

TEST(EndingSignals, BrokenPipeOnTheErrorStream) {
  Workspace workspace;
  ProcessOptions options = longRun();
  options.childSetup = {[] {
    int fds[2];
    if (pipe(fds) != 0) _exit(126);
    dup2(fds[1], 2);
    close(fds[0]);
    close(fds[1]);
  }};
  const ProcessResult result = runTokshuf(workspace.dir, options);
  EXPECT_TRUE(result.signaled && result.signal == SIGPIPE) << result.describe();
  workspace.expectEarlierResults();
}

TEST(EndingSignals, ProcessorTimeLimit) {
  Workspace workspace;
  ProcessOptions options = longRun();
  options.childSetup = {[] {
    const rlimit limit{1, 60};
    setrlimit(RLIMIT_CPU, &limit);
  }};
  const ProcessResult result = runTokshuf(workspace.dir, options);
  EXPECT_TRUE(result.signaled && result.signal == SIGXCPU) << result.describe();
  workspace.expectEarlierResults();
}

// Under nohup, or in a background job, a signal ignored at the start stays
// ignored: the run goes on and writes its results.
TEST(EndingSignals, SignalsIgnoredAtTheStartStayIgnored) {
  const std::string genesis = readFile(genesisPath());
  const std::string text = genesis.substr(0, genesis.find('\n', 80000) + 1);
  const auto expected = resultsOf(text, {"-p2000"});
  for (int signal : {SIGHUP, SIGINT}) {
    Workspace workspace(text);
    ProcessOptions options;
    options.args = {"-p2000", "text.zvc"};
    options.childSetup = {setSignalDisposition(signal, SIG_IGN)};
    BackgroundRun run(workspace.dir, options);
    ASSERT_TRUE(run.waitForTemporaries());
    kill(run.pid(), signal);
    const ProcessResult result = run.finish();
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    EXPECT_EQ(readResults(workspace.dir), expected);
  }
}

// A process id that no longer belongs to any process.
pid_t finishedProcessId() {
  const pid_t pid = fork();
  if (pid == 0) _exit(0);
  waitpid(pid, nullptr, 0);
  return pid;
}

TEST(StaleTemporaries, ThoseOfRunsThatNoLongerExistAreRemoved) {
  Workspace workspace(zvcText({1, 2, 1, 3}));
  const std::string stale = ".tokshuf.tmp." + std::to_string(finishedProcessId()) + ".a1b2c3";
  const std::string alive = ".tokshuf.tmp." + std::to_string(getpid()) + ".d4e5f6";
  writeFile(workspace.dir.file(stale), "left by a killed run");
  writeFile(workspace.dir.file(alive), "of a run still going");
  ASSERT_TRUE(runTokshuf(workspace.dir, {"text.zvc"}).exitedWith(0));
  EXPECT_FALSE(fileExists(workspace.dir.file(stale)));
  EXPECT_TRUE(fileExists(workspace.dir.file(alive)));
}

TEST(StaleTemporaries, AKilledRunsFilesGoWithTheNextRun) {
  Workspace workspace;
  BackgroundRun run(workspace.dir, longRun());
  ASSERT_TRUE(run.waitForTemporaries());
  kill(run.pid(), SIGKILL);
  EXPECT_TRUE(run.finish().signaled);
  ASSERT_TRUE(hasTemporaryFile(workspace.dir));
  ProcessOptions next;
  next.args = {"-p0", "-H", "calls.zvc"};
  writeFile(workspace.dir.file("calls.zvc"), "a 1\n");
  EXPECT_TRUE(runTokshuf(workspace.dir, next).exitedWith(0));
  EXPECT_FALSE(hasTemporaryFile(workspace.dir));
  workspace.expectEarlierResults();
}

}  // namespace
}  // namespace tokshuf::test
