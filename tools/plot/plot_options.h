#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tokshuf::plot {

struct PlotOptions {
  bool showHelp = false;
  std::string input;   // TEXT.obs
  std::string output;  // "-" is standard output
};

// A command line that cannot be run; what() is the message without the
// program name.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name.
PlotOptions parsePlotOptions(const std::vector<std::string>& args);

// TEXT.obs -> TEXT.svg; any other name gets ".svg" appended.
std::string defaultSvgName(const std::string& input);

extern const char* const kPlotUsage;

}  // namespace tokshuf::plot
