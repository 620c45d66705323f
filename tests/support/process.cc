#include "support/process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tokshuf::test {
namespace {

struct Pipe {
  int read = -1;
  int write = -1;
};

Pipe makePipe() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  }
  return {fds[0], fds[1]};
}

void closeFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

void writeAllToFd(int fd, const char* text) {
  for (std::size_t left = std::strlen(text); left > 0;) {
    const ssize_t n = write(fd, text, left);
    if (n <= 0) return;
    text += n;
    left -= std::size_t(n);
  }
}

[[noreturn]] void runChild(const std::string& program,
                           const ProcessOptions& options, Pipe& in, Pipe& out,
                           Pipe& err) {
  dup2(in.read, STDIN_FILENO);
  dup2(out.write, STDOUT_FILENO);
  dup2(err.write, STDERR_FILENO);
  // The child holds no descriptor but 0, 1 and 2, so that descriptor
  // limits set in childSetup count the same whatever the runner has open.
  closefrom(3);
  // The child starts with the default dispositions, whatever the test
  // runner has installed; childSetup may change them again.
  for (int sig : {SIGPIPE, SIGXFSZ, SIGINT, SIGTERM, SIGHUP}) {
    std::signal(sig, SIG_DFL);
  }
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  if (!options.workingDirectory.empty() &&
      chdir(options.workingDirectory.c_str()) != 0) {
    writeAllToFd(STDERR_FILENO, "runProcess: cannot change directory\n");
    _exit(127);
  }
  for (const auto& step : options.childSetup) step();

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : options.args) {
    argv.push_back(const_cast<char*>(arg.c_str()));
  }
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  writeAllToFd(STDERR_FILENO, "runProcess: exec failed\n");
  _exit(127);
}

// Feeds input to the child and collects both output streams until the
// child has closed them.
// Kills the child when the time is up; reports the wait for poll().
class Deadline {
 public:
  Deadline(pid_t child, int seconds)
      : child_(child),
        active_(seconds > 0),
        end_(std::chrono::steady_clock::now() + std::chrono::seconds(seconds)) {}

  int pollTimeout(ProcessResult& result) {
    if (!active_) return -1;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end_ - std::chrono::steady_clock::now());
    if (left.count() > 0) return int(left.count());
    kill(child_, SIGKILL);
    result.timedOut = true;
    active_ = false;
    return -1;
  }

 private:
  pid_t child_;
  bool active_;
  std::chrono::steady_clock::time_point end_;
};

void exchange(const ProcessOptions& options, pid_t child, int inFd, int outFd,
              int errFd, Deadline& deadline, ProcessResult& result) {
  const std::string& input = options.input;
  std::size_t written = 0;
  if (input.empty()) closeFd(inFd);
  while (outFd >= 0 || errFd >= 0) {
    pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
    if (poll(fds, 3, deadline.pollTimeout(result)) < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
    }
    if (inFd >= 0 && fds[2].revents != 0) {
      const ssize_t n = write(inFd, input.data() + written, input.size() - written);
      if (n > 0) written += std::size_t(n);
      if (n <= 0 || written == input.size()) closeFd(inFd);
    }
    int* readable[2] = {&outFd, &errFd};
    std::string* sinks[2] = {&result.out, &result.err};
    for (int i = 0; i < 2; ++i) {
      if (*readable[i] < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t n = read(*readable[i], buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, std::size_t(n));
        if (options.onOutput) options.onOutput(child, result);
      } else if (n == 0 || errno != EINTR) {
        closeFd(*readable[i]);
      }
    }
  }
  closeFd(inFd);
}

}  // namespace

std::string ProcessResult::describe() const {
  std::string text;
  if (exited) text = "exit status " + std::to_string(exitCode);
  if (signaled) text = "signal " + std::to_string(signal);
  if (!exited && !signaled) text = "no status";
  if (timedOut) text += " (timed out)";
  return text + "; stdout [" + out + "]; stderr [" + err + "]";
}

ProcessResult runProcess(const std::string& program,
                         const ProcessOptions& options) {
  Pipe in = makePipe(), out = makePipe(), err = makePipe();
  // Writing to a child that stopped reading must not kill the test.
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, &previous);

  const pid_t pid = fork();
  if (pid < 0) {
    sigaction(SIGPIPE, &previous, nullptr);
    throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  }
  if (pid == 0) runChild(program, options, in, out, err);
  if (options.onStart) options.onStart(pid);

  closeFd(in.read);
  closeFd(out.write);
  closeFd(err.write);
  ProcessResult result;
  Deadline deadline(pid, options.timeoutSeconds);
  exchange(options, pid, in.write, out.read, err.read, deadline, result);

  int status = 0;
  struct rusage usage {};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  result.peakMemoryKiB = usage.ru_maxrss;
  sigaction(SIGPIPE, &previous, nullptr);
  if (WIFEXITED(status)) {
    result.exited = true;
    result.exitCode = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.signaled = true;
    result.signal = WTERMSIG(status);
  }
  return result;
}

std::function<void()> limitResource(int resource, rlim_t limit) {
  return [resource, limit] {
    const rlimit value{limit, limit};
    setrlimit(resource, &value);
  };
}

std::function<void()> limitFileSize(rlim_t bytes) {
  return limitResource(RLIMIT_FSIZE, bytes);
}

std::function<void()> setSignalDisposition(int signal, void (*handler)(int)) {
  return [signal, handler] { std::signal(signal, handler); };
}

ProcessResult runInDirectory(const std::string& program, const std::string& directory,
                             const std::vector<std::string>& args) {
  ProcessOptions options;
  options.args = args;
  options.workingDirectory = directory;
  options.timeoutSeconds = 120;
  return runProcess(program, options);
}

}  // namespace tokshuf::test
