#pragma once

#include <csignal>
#include <string>

namespace tokshuf::util {

// Files that must not outlive the process when a signal ends it.
//
// The first registration installs a handler on every catchable signal whose
// default action ends the process (SIGINT, SIGTERM, SIGHUP, SIGQUIT,
// SIGPIPE, SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU, SIGVTALRM, SIGPROF, ...),
// except those that were ignored when the program started: under nohup or
// in a background job they stay ignored. The handler removes the
// registered files and ends the process by the same signal. SIGXFSZ is
// ignored, so that a file size limit shows up as a write error the program
// can clean up after.
class RemovalHandle {
 public:
  RemovalHandle() = default;
  bool registered() const { return node_ != nullptr; }

 private:
  friend RemovalHandle removeOnTermination(const std::string& path);
  friend void forgetRemoval(RemovalHandle& handle);
  void* node_ = nullptr;
};

// Registers path for removal; async-signal-safe to read from the handler.
RemovalHandle removeOnTermination(const std::string& path);
// The file is gone or has become a result: never remove it any more.
void forgetRemoval(RemovalHandle& handle);

// Installs the handlers without registering a file (idempotent).
void installTerminationCleanup();

// Holds off every catchable signal for its lifetime, so that a sequence of
// file operations is never cut in the middle; a signal that arrives
// meanwhile is delivered when the hold ends.
class SignalHold {
 public:
  SignalHold();
  ~SignalHold();
  SignalHold(const SignalHold&) = delete;
  SignalHold& operator=(const SignalHold&) = delete;

 private:
  sigset_t previous_;
};

}  // namespace tokshuf::util
