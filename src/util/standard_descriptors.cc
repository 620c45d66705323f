#include "util/standard_descriptors.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tokshuf::util {
namespace {

bool isClosed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

// Descriptors are filled lowest first, so open() lands on fd itself.
void openNullOn(int fd) {
  const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
  if (opened >= 0 && opened != fd) {
    dup2(opened, fd);
    close(opened);
  }
}

}  // namespace

ClosedDescriptors ensureStandardDescriptors() {
  ClosedDescriptors closed;
  bool* flags[] = {&closed.input, &closed.output, &closed.error};
  for (int fd = 0; fd <= 2; ++fd) {
    if (!isClosed(fd)) continue;
    *flags[fd] = true;
    openNullOn(fd);
  }
  return closed;
}

}  // namespace tokshuf::util
