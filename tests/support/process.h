#pragma once

// Runs a program as a child process and captures what it leaves behind:
// its standard output and standard error (separately), and either its exit
// status or the signal that ended it.

#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/types.h>

namespace tokshuf::test {

struct ProcessResult {
  std::string out;        // everything written to standard output
  std::string err;        // everything written to standard error
  bool exited = false;    // ended through exit() / return from main
  int exitCode = -1;      // valid when exited
  bool signaled = false;  // ended by a signal
  int signal = 0;         // valid when signaled
  long peakMemoryKiB = 0; // the child's peak resident size
  bool timedOut = false;  // killed with SIGKILL after ProcessOptions::timeoutSeconds

  bool exitedWith(int code) const { return exited && exitCode == code; }
  // A readable account for failure messages.
  std::string describe() const;
};

struct ProcessOptions {
  // argv[1..] of the program; argv[0] is the program path itself.
  std::vector<std::string> args;
  // Directory the child starts in; empty keeps the parent's.
  std::string workingDirectory;
  // Bytes fed to the child's standard input (which is closed afterwards).
  std::string input;
  // Runs in the child after fork and before exec, e.g. to set resource
  // limits or signal dispositions. Only async-signal-safe work belongs here.
  std::vector<std::function<void()>> childSetup;
  // A safety net against a hanging child, not a measurement: after this
  // many seconds the child is killed with SIGKILL. 0 waits for ever.
  int timeoutSeconds = 0;
  // Called in the parent with the child's process id as soon as it runs,
  // so that a test running runProcess on another thread can signal it.
  std::function<void(pid_t)> onStart;
  // Called in the parent each time more output has arrived, with the
  // child's process id and everything it has written so far, e.g. to
  // signal the child once it has reached a certain point.
  std::function<void(pid_t child, const ProcessResult& sofar)> onOutput;
};

// Runs program (a path, not searched in PATH) and waits for it to end.
// The child inherits no open descriptor other than its three streams.
// Throws std::runtime_error when the child cannot be started at all;
// a failed exec shows as exit code 127 with a message on err.
ProcessResult runProcess(const std::string& program,
                         const ProcessOptions& options);

// Runs program with args in directory, killed after two minutes if it
// hangs: how the command-line tests start the programs.
ProcessResult runInDirectory(const std::string& program, const std::string& directory,
                             const std::vector<std::string>& args);

// Ready-made child set-up steps for ProcessOptions::childSetup.
std::function<void()> limitResource(int resource, rlim_t limit);
std::function<void()> limitFileSize(rlim_t bytes);
std::function<void()> setSignalDisposition(int signal, void (*handler)(int));

}  // namespace tokshuf::test
