#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tokshuf::table {

struct TableOptions {
  bool showHelp = false;
  bool showVersion = false;
  bool summary = false;             // one row per text and measure
  std::string output;               // empty or "-": standard output
  std::vector<std::string> inputs;  // TEXT.obs files, in the order given
};

// A command line that cannot be run; what() is the message without the
// program name.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name.
TableOptions parseTableOptions(const std::vector<std::string>& args);

extern const char* const kTableUsage;

}  // namespace tokshuf::table
