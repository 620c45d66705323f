#pragma once

namespace tokshuf::util {

// Which of the three standard descriptors were closed when the program
// started (and are now open on /dev/null).
struct ClosedDescriptors {
  bool input = false;
  bool output = false;
  bool error = false;
};

// Opens /dev/null on any of descriptors 0, 1 and 2 that is closed, so that
// no file the program opens later can take their place and receive its
// messages. Every main() calls it before it opens anything. A program that
// reads standard input should refuse to read it when it was closed.
ClosedDescriptors ensureStandardDescriptors();

}  // namespace tokshuf::util
