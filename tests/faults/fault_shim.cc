// Preloaded into the tool by the fault tests (LD_PRELOAD) to make the file
// operations of committing results observable and to fail or interrupt
// them at a chosen point, which no real file system does on request:
//   FAULT_SHIM_LOG=path           appends "fsync <file>" and "rename <from> <to>"
//   FAULT_SHIM_FAIL_RENAME=n      the n-th rename fails with EIO
//   FAULT_SHIM_SIGNAL_AFTER_RENAME=n
//                                 SIGINT is raised right after the n-th rename

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int renameCount = 0;

int setting(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? 0 : std::atoi(value);
}

void log(const char* line) {
  const char* path = std::getenv("FAULT_SHIM_LOG");
  if (path == nullptr) return;
  const int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const ssize_t ignored = write(fd, line, std::strlen(line));
  (void)ignored;
  close(fd);
}

// The file behind a descriptor, for the log.
void fileOf(int fd, char* name, std::size_t size) {
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t length = readlink(link, name, size - 1);
  name[length > 0 ? length : 0] = '\0';
}

}  // namespace

extern "C" int rename(const char* from, const char* to) {
  using Rename = int (*)(const char*, const char*);
  static const auto next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
  ++renameCount;
  if (renameCount == setting("FAULT_SHIM_FAIL_RENAME")) {
    errno = EIO;
    return -1;
  }
  const int result = next(from, to);
  char line[8192];
  std::snprintf(line, sizeof line, "rename %s %s\n", from, to);
  log(line);
  if (renameCount == setting("FAULT_SHIM_SIGNAL_AFTER_RENAME")) raise(SIGINT);
  return result;
}

extern "C" int fsync(int fd) {
  using Fsync = int (*)(int);
  static const auto next = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
  char name[4096];
  fileOf(fd, name, sizeof name);
  char line[8192];
  std::snprintf(line, sizeof line, "fsync %s\n", name);
  log(line);
  return next(fd);
}
