#pragma once

#include <string>
#include <vector>

namespace tokshuf::util {

// Exclusive locks on a set of directories, taken in one fixed order (by
// device and inode, each directory once however it is spelled) so that two
// processes locking overlapping sets never wait on each other in a circle.
// Released when the object goes.
class DirectoryLocks {
 public:
  explicit DirectoryLocks(const std::vector<std::string>& directories);
  ~DirectoryLocks();
  DirectoryLocks(const DirectoryLocks&) = delete;
  DirectoryLocks& operator=(const DirectoryLocks&) = delete;

  // Flushes every directory's entries to disk; false when one failed.
  bool syncAll() const;

 private:
  std::vector<int> descriptors_;
};

}  // namespace tokshuf::util
