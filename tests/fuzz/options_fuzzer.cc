// Arbitrary argument lists (NUL-separated) through the option scanner, long
// options and measure lists included: it must accept settings within their
// ranges or refuse with one message line.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/fatal_error.h"
#include "common/limits.h"
#include "driver/options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args{"tokshuf"};
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current.push_back(char(data[i]));
    }
  }
  args.push_back(current);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  try {
    const tokshuf::CommandLine line = tokshuf::scanOptions(int(args.size()), argv.data());
    const tokshuf::Settings& s = line.settings;
    const tokshuf::MeasureParameters& p = s.parameters;
    if (line.inputName != nullptr && !line.helpRequested &&
        (s.nchunks < 1 || s.nchunks > tokshuf::kMaxChunks || s.nperm < 0 ||
         s.nperm > tokshuf::kMaxPermutations || s.confidenceLevel < 0 ||
         s.confidenceLevel > 100 || p.window < 1 || p.segment < 1 || p.hddDraws < 1 ||
         !(p.mtldThreshold > 0 && p.mtldThreshold < 1) ||
         ((s.writeRuns || s.globalTest) && s.nperm == 0) || s.measures.count() < 1)) {
      std::abort();
    }
  } catch (const tokshuf::FatalError& error) {
    const char* message = error.message();
    const std::size_t length = std::strlen(message);
    // The illegal letter itself is echoed, so only the ending is checked.
    if (std::strncmp(message, "tokshuf: ", 9) != 0 || message[length - 1] != '\n') {
      std::abort();
    }
  }
  return 0;
}
