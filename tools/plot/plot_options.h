#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "plot/plane_document.h"

namespace tokshuf::plot {

// tokshuf-plot compares at most this many texts in one picture: the
// palette has as many colours that colour-blind readers tell apart.
inline constexpr std::size_t kMostTexts = 8;

struct PlotOptions {
  bool showHelp = false;
  bool showVersion = false;
  std::vector<std::string> inputs;  // TEXT.obs, one to kMostTexts
  std::string output;               // "-" is standard output
  bool relative = false;            // x axis: the share of each text read
  std::optional<PlaneAxes> plane;   // the trajectory picture instead of panels
};

// A command line that cannot be run; what() is the message without the
// program name.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. Checks the form only; that
// the inputs are distinct files is checked when they are opened.
PlotOptions parsePlotOptions(const std::vector<std::string>& args);

// TEXT.obs -> TEXT.svg; any other name gets ".svg" appended.
std::string defaultSvgName(const std::string& input);

extern const char* const kPlotUsage;

}  // namespace tokshuf::plot
