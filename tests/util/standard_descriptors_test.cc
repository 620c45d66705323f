#include "util/standard_descriptors.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tokshuf::util {
namespace {

// Runs body in a child process and returns its exit status.
template <typename Body>
int inChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(StandardDescriptors, ClosedOnesAreReportedAndOpenedOnDevNull) {
  const int status = inChild([] {
    close(0);
    close(2);
    const ClosedDescriptors closed = ensureStandardDescriptors();
    if (!closed.input || closed.output || !closed.error) return 1;
    struct stat info;
    for (int fd : {0, 2}) {
      if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) return 2;
    }
    // The next file opened must not take a standard descriptor.
    const int next = open("/dev/null", O_RDONLY);
    return next > 2 ? 0 : 3;
  });
  EXPECT_EQ(status, 0);
}

TEST(StandardDescriptors, OpenOnesAreLeftAlone) {
  const int status = inChild([] {
    const ClosedDescriptors closed = ensureStandardDescriptors();
    return closed.input || closed.output || closed.error ? 1 : 0;
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace tokshuf::util
