#include "plot/plot_options.h"

#include "plot/profile_run.h"

namespace tokshuf::plot {

const char* const kPlotUsage =
    "usage: tokshuf-plot TEXT.obs [OUTPUT.svg]\n"
    "Draws the profile files of a tokshuf run as one SVG picture: a panel\n"
    "per measure, the empirical profile from TEXT.obs and, when they are\n"
    "beside it, the Monte Carlo mean (TEXT.mcm) and the interval from\n"
    "TEXT.mcl to TEXT.mch. Chunks outside the interval are marked; nan and\n"
    "inf values are left out and counted in the panel's corner.\n"
    "\n"
    "  -h  show this text\n"
    "\n"
    "OUTPUT defaults to TEXT.svg; \"-\" is standard output.\n";

PlotOptions parsePlotOptions(const std::vector<std::string>& args) {
  PlotOptions options;
  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "-h") {
      options.showHelp = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option " + arg + " (try -h)");
    } else {
      operands.push_back(arg);
    }
  }
  if (options.showHelp) return options;
  if (operands.empty()) throw UsageError("no profile file (try -h)");
  if (operands.size() > 2) throw UsageError("too many arguments: " + operands[2] + " (try -h)");
  options.input = operands[0];
  options.output = operands.size() == 2 ? operands[1] : defaultSvgName(options.input);
  return options;
}

std::string defaultSvgName(const std::string& input) {
  return companionPath(input, ".svg").value_or(input + ".svg");
}

}  // namespace tokshuf::plot
