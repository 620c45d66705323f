#include "util/directory_locks.h"

#include <algorithm>
#include <cerrno>
#include <tuple>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tokshuf::util {
namespace {

struct OpenDirectory {
  int fd;
  dev_t device;
  ino_t inode;
};

// File systems that cannot flush a directory say so with EINVAL; there is
// nothing more to be done on them.
bool flushedOrUnsupported(int fd) { return fsync(fd) == 0 || errno == EINVAL; }

}  // namespace

DirectoryLocks::DirectoryLocks(const std::vector<std::string>& directories) {
  std::vector<OpenDirectory> opened;
  for (const std::string& directory : directories) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat info;
    if (fd < 0) continue;  // the renames into it will fail and say so
    if (fstat(fd, &info) != 0) {
      close(fd);
      continue;
    }
    opened.push_back({fd, info.st_dev, info.st_ino});
  }
  const auto key = [](const OpenDirectory& d) { return std::tie(d.device, d.inode); };
  std::sort(opened.begin(), opened.end(),
            [&](const OpenDirectory& a, const OpenDirectory& b) { return key(a) < key(b); });
  for (std::size_t i = 0; i < opened.size(); ++i) {
    if (i > 0 && key(opened[i]) == key(opened[i - 1])) {
      close(opened[i].fd);
      continue;
    }
    while (flock(opened[i].fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    descriptors_.push_back(opened[i].fd);
  }
}

DirectoryLocks::~DirectoryLocks() {
  for (int fd : descriptors_) close(fd);  // closing releases the lock
}

bool DirectoryLocks::syncAll() const {
  bool all = true;
  for (int fd : descriptors_) all = flushedOrUnsupported(fd) && all;
  return all;
}

}  // namespace tokshuf::util
