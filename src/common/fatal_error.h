#pragma once

#include <stdexcept>
#include <string>

namespace tokshuf {

// Ends the run: the driver removes its temporary files, writes message()
// (a complete line) to standard error and exits with status 1.
class FatalError : public std::runtime_error {
 public:
  explicit FatalError(std::string line) : std::runtime_error(std::move(line)) {}
  const char* message() const { return what(); }
};

// printf-style formatting into a std::string, for messages.
std::string formatString(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

}  // namespace tokshuf
