#include "driver/output_files.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include "common/fatal_error.h"

namespace tokshuf {
namespace {

// Names of the temporary files, kept where a signal handler may read them
// without allocating.
constexpr int kMaxTemporaries = 8;
constexpr std::size_t kMaxPath = 4096;
char temporaryNames[kMaxTemporaries][kMaxPath];
std::atomic<int> temporaryCount{0};

extern "C" void removeTemporariesAndDie(int signal) {
  const int count = temporaryCount.load();
  for (int i = 0; i < count; ++i) {
    if (temporaryNames[i][0] != '\0') unlink(temporaryNames[i]);
  }
  std::signal(signal, SIG_DFL);
  raise(signal);
}

void installSignalCleanup() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action {};
    action.sa_handler = removeTemporariesAndDie;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
  }
  // A file size limit must surface as a write error we can clean up after,
  // not as a signal that kills the process.
  std::signal(SIGXFSZ, SIG_IGN);
}

// Records name for the signal handler; returns its slot.
int registerTemporary(const std::string& name) {
  const int slot = temporaryCount.load();
  if (slot >= kMaxTemporaries || name.size() >= kMaxPath) return -1;
  std::memcpy(temporaryNames[slot], name.c_str(), name.size() + 1);
  temporaryCount.store(slot + 1);
  return slot;
}

void forgetTemporary(const std::string& name) {
  const int count = temporaryCount.load();
  for (int i = 0; i < count; ++i) {
    if (name == temporaryNames[i]) temporaryNames[i][0] = '\0';
  }
}

mode_t defaultFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A hidden name in the target's directory, short enough for any target
// name the file system allows.
std::string temporaryPattern(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string directory =
      slash == std::string::npos ? "" : target.substr(0, slash + 1);
  return directory + ".tokshuf.tmp.XXXXXX";
}

[[noreturn]] void cannotOpen(const std::string& target) {
  throw FatalError(formatString("tokshuf: can't open textfile %s\n", target.c_str()));
}

}  // namespace

OutputFiles::~OutputFiles() { discard(); }

void OutputFiles::open(const std::string& target, const struct stat& input) {
  struct stat existing;
  if (stat(target.c_str(), &existing) == 0) {
    if (existing.st_dev == input.st_dev && existing.st_ino == input.st_ino) {
      throw FatalError(formatString(
          "tokshuf: output file %s is the input file\n", target.c_str()));
    }
    if (S_ISDIR(existing.st_mode) || access(target.c_str(), W_OK) != 0) {
      cannotOpen(target);
    }
  }
  installSignalCleanup();
  File file;
  file.target = target;
  std::string pattern = temporaryPattern(target);
  const int fd = mkstemp(pattern.data());
  if (fd < 0) cannotOpen(target);
  file.temporary = pattern;
  registerTemporary(file.temporary);
  fchmod(fd, defaultFileMode());
  file.stream = fdopen(fd, "w");
  if (file.stream == nullptr) {
    close(fd);
    unlink(file.temporary.c_str());
    cannotOpen(target);
  }
  files_.push_back(std::move(file));
}

std::FILE* OutputFiles::stream(int index) { return files_[index].stream; }

void OutputFiles::closeChecked(File& file) {
  const bool failed = std::ferror(file.stream) != 0;
  const bool closeFailed = std::fclose(file.stream) != 0;
  file.stream = nullptr;
  if (failed || closeFailed) {
    throw FatalError(formatString("tokshuf: can't write %s\n", file.target.c_str()));
  }
}

void OutputFiles::commitAll() {
  for (File& file : files_) closeChecked(file);
  for (File& file : files_) {
    if (std::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
      throw FatalError(formatString("tokshuf: can't write %s\n", file.target.c_str()));
    }
    forgetTemporary(file.temporary);
    file.temporary.clear();
  }
}

void OutputFiles::discard() {
  for (File& file : files_) {
    if (file.stream != nullptr) {
      std::fclose(file.stream);
      file.stream = nullptr;
    }
    if (!file.temporary.empty()) {
      unlink(file.temporary.c_str());
      forgetTemporary(file.temporary);
      file.temporary.clear();
    }
  }
}

}  // namespace tokshuf
