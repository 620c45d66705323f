#include "util/temporary_file.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tokshuf::util {
namespace {

constexpr std::string_view kPrefix = ".tokshuf.tmp.";

std::string ownPrefix() { return std::string(kPrefix) + std::to_string(getpid()) + "."; }

mode_t defaultFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The process id in a temporary name, or 0 when name is not one.
pid_t ownerOf(std::string_view name) {
  if (name.substr(0, kPrefix.size()) != kPrefix) return 0;
  name.remove_prefix(kPrefix.size());
  const std::size_t dot = name.find('.');
  if (dot == 0 || dot == std::string_view::npos || dot > 9) return 0;
  pid_t pid = 0;
  for (char c : name.substr(0, dot)) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

bool processIsGone(pid_t pid) { return kill(pid, 0) != 0 && errno == ESRCH; }

// A file nobody holds a lock on, of a process that does not exist: both
// must hold, so that neither a reused process id nor a run in another pid
// namespace loses its files.
void removeIfAbandoned(int directoryFd, const char* name, pid_t owner) {
  const int fd = openat(directoryFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat info;
  const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (regular && flock(fd, LOCK_EX | LOCK_NB) == 0 && processIsGone(owner)) {
    unlinkat(directoryFd, name, 0);
  }
  close(fd);
}

}  // namespace

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string directoryForCalls(const std::string& directory) {
  return directory.empty() ? "." : directory;
}

int createTemporaryFile(const std::string& directory, std::string& path) {
  std::string pattern = directory + ownPrefix() + "XXXXXX";
  const int fd = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  fchmod(fd, defaultFileMode());
  flock(fd, LOCK_EX | LOCK_NB);
  path = std::move(pattern);
  return fd;
}

std::string unusedTemporaryName(const std::string& directory) {
  static std::atomic<unsigned> counter{0};
  for (;;) {
    std::string name = directory + ownPrefix() + "b" + std::to_string(counter++);
    struct stat info;
    if (lstat(name.c_str(), &info) != 0) return name;
  }
}

void removeStaleTemporaries(const std::string& directory) {
  DIR* listing = opendir(directoryForCalls(directory).c_str());
  if (listing == nullptr) return;
  const pid_t self = getpid();
  while (const dirent* entry = readdir(listing)) {
    const pid_t owner = ownerOf(entry->d_name);
    if (owner > 0 && owner != self) removeIfAbandoned(dirfd(listing), entry->d_name, owner);
  }
  closedir(listing);
}

}  // namespace tokshuf::util
