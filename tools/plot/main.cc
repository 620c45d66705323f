// tokshuf-plot: the profile files of a tokshuf run in, one SVG picture out.

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "plot/companion_age.h"
#include "plot/plot_options.h"
#include "plot/profile_run.h"
#include "plot/svg_document.h"

namespace {

using namespace tokshuf::plot;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void writeOutput(const std::string& svg, const std::string& path) {
  if (path == "-") {
    std::cout << svg << std::flush;
    if (!std::cout) throw Failure("cannot write standard output");
    return;
  }
  std::ofstream file(path, std::ios::binary);
  if (!file) throw Failure("cannot create " + path + ": " + std::strerror(errno));
  file << svg;
  file.close();
  if (!file) throw Failure("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const PlotOptions options =
        parsePlotOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.showHelp) {
      std::cout << kPlotUsage;
      return 0;
    }
    // Everything is read and checked before the output is created, so a
    // bad companion file never leaves a half-written picture behind.
    const ProfileRun run = loadProfileRun(options.input);
    for (const std::string& path : olderCompanions(run)) {
      std::cerr << "tokshuf-plot: warning: " << path << " is older than " << options.input
                << "; it may be left from an earlier run\n";
    }
    std::ostringstream svg;
    writeSvg(svg, run);
    writeOutput(svg.str(), options.output);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "tokshuf-plot: " << e.what() << '\n';
    return 1;
  }
}
