#include "util/termination_cleanup.h"

#include <atomic>
#include <cstring>
#include <mutex>

#include <pthread.h>
#include <unistd.h>

namespace tokshuf::util {
namespace {

// A list that a signal handler can walk without locks: nodes are only ever
// added at the head, fully built before they are published, and never freed;
// a forgotten node just stops being active.
struct Node {
  char* path = nullptr;
  std::atomic<bool> active{true};
  Node* next = nullptr;
};
std::atomic<Node*> registeredFiles{nullptr};
std::mutex registrationMutex;

// Every signal whose default action ends the process and that a program may
// catch; the faults of the program itself (SIGSEGV and the like) are left to
// the sanitizers and the default action.
constexpr int kEndingSignals[] = {SIGHUP,  SIGINT,    SIGQUIT, SIGTERM,
                                  SIGPIPE, SIGUSR1,   SIGUSR2, SIGALRM,
                                  SIGXCPU, SIGVTALRM, SIGPROF, SIGIO,
                                  SIGPWR,  SIGSTKFLT};

extern "C" void removeRegisteredAndEnd(int signal) {
  for (Node* node = registeredFiles.load(); node != nullptr; node = node->next) {
    if (node->active.load()) unlink(node->path);
  }
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signal, &fallback, nullptr);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
}

bool ignoredAtStart(int signal) {
  struct sigaction current {};
  return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

void catchToClean(int signal) {
  if (ignoredAtStart(signal)) return;
  struct sigaction action {};
  action.sa_handler = removeRegisteredAndEnd;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

void installOnce() {
  for (int signal : kEndingSignals) catchToClean(signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) catchToClean(signal);
  std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace

void installTerminationCleanup() {
  static std::once_flag installed;
  std::call_once(installed, installOnce);
}

RemovalHandle removeOnTermination(const std::string& path) {
  installTerminationCleanup();
  Node* node = new Node;
  node->path = new char[path.size() + 1];
  std::memcpy(node->path, path.c_str(), path.size() + 1);
  {
    std::lock_guard<std::mutex> lock(registrationMutex);
    node->next = registeredFiles.load();
    registeredFiles.store(node);
  }
  RemovalHandle handle;
  handle.node_ = node;
  return handle;
}

void forgetRemoval(RemovalHandle& handle) {
  if (handle.node_ != nullptr) static_cast<Node*>(handle.node_)->active.store(false);
  handle.node_ = nullptr;
}

SignalHold::SignalHold() {
  sigset_t all;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &previous_);
}

SignalHold::~SignalHold() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace tokshuf::util
