#include "plot/plot_options.h"

#include <getopt.h>

#include "plot/measure_labels.h"
#include "plot/profile_run.h"

namespace tokshuf::plot {

const char* const kPlotUsage =
    "usage: tokshuf-plot [-o OUTPUT.svg] [--relative] TEXT.obs...\n"
    "       tokshuf-plot --plane X,Y [--log x|y|xy] [-o OUTPUT.svg] TEXT.obs...\n"
    "       tokshuf-plot TEXT.obs OUTPUT.svg\n"
    "Draws the profile files of tokshuf runs as one SVG picture: a panel per\n"
    "measure column with the empirical profile from TEXT.obs and, when they\n"
    "are beside it, the Monte Carlo mean (TEXT.mcm), the pointwise interval\n"
    "from TEXT.mcl to TEXT.mch and the global envelope from TEXT.mgl to\n"
    "TEXT.mgh with the p of its test (TEXT.mgt). Up to eight texts are drawn\n"
    "over each other, each in its own colour. Chunks outside the interval or\n"
    "the envelope are marked; nan and inf values are left out and counted;\n"
    "values far beyond the others are marked at the panel's edge.\n"
    "\n"
    "  -o, --output=FILE  write the picture to FILE (\"-\": standard output);\n"
    "                     one input defaults to TEXT.svg\n"
    "      --relative     x axis: the share of each text read, 0 to 1\n"
    "      --plane=X,Y    one panel: measure X across, Y up (e.g. Z,K), each\n"
    "                     text a path through its chunks\n"
    "      --log=AXES     logarithmic x, y or xy axes of the plane\n"
    "  -h, --help         show this text\n"
    "      --version      show the version\n";

namespace {

enum LongOnly { kRelative = 256, kPlane, kLog, kVersion };

PlaneAxes parsePlane(const std::string& value) {
  const std::size_t comma = value.find(',');
  if (comma == std::string::npos) {
    throw UsageError("--plane needs two measure labels X,Y, e.g. --plane Z,K (try -h)");
  }
  PlaneAxes plane;
  int* columns[] = {&plane.xColumn, &plane.yColumn};
  const std::string labels[] = {value.substr(0, comma), value.substr(comma + 1)};
  for (int i = 0; i < 2; ++i) {
    const std::optional<int> column = columnOfLabel(labels[i]);
    if (!column) {
      throw UsageError("unknown measure \"" + labels[i] + "\" in --plane; valid are " +
                       measureLabelList());
    }
    *columns[i] = *column;
  }
  return plane;
}

void applyLog(const std::string& value, PlaneAxes& plane) {
  if (value != "x" && value != "y" && value != "xy" && value != "yx") {
    throw UsageError("--log takes x, y or xy, not \"" + value + "\" (try -h)");
  }
  plane.logX = value.find('x') != std::string::npos;
  plane.logY = value.find('y') != std::string::npos;
}

bool namesAPicture(const std::string& operand) {
  return operand == "-" || (operand.size() > 4 && operand.ends_with(".svg"));
}

// Option letters and long names as getopt_long reports them.
std::string optionName(const std::vector<char*>& argv, int optionIndex, int letter) {
  if (letter > 0 && letter < 128 && letter != '?') {
    return std::string("-") + static_cast<char>(letter);
  }
  const std::string arg = argv[optionIndex];
  return arg.substr(0, arg.find('='));
}

}  // namespace

PlotOptions parsePlotOptions(const std::vector<std::string>& args) {
  std::vector<std::string> storage{"tokshuf-plot"};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);
  static const option longOptions[] = {
      {"output", required_argument, nullptr, 'o'},
      {"relative", no_argument, nullptr, kRelative},
      {"plane", required_argument, nullptr, kPlane},
      {"log", required_argument, nullptr, kLog},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, kVersion},
      {nullptr, 0, nullptr, 0},
  };
  PlotOptions options;
  std::optional<std::string> logAxes;
  bool outputGiven = false;
  // getopt_long keeps its place in globals: 0 starts it afresh. Its own
  // messages are off, so that every error is one line of this program.
  optind = 0;
  opterr = 0;
  const int argc = static_cast<int>(storage.size());
  for (int c; (c = getopt_long(argc, argv.data(), ":o:h", longOptions, nullptr)) != -1;) {
    switch (c) {
      case 'o':
        options.output = optarg;
        outputGiven = true;
        break;
      case 'h': options.showHelp = true; break;
      case kVersion: options.showVersion = true; break;
      case kRelative: options.relative = true; break;
      case kPlane: options.plane = parsePlane(optarg); break;
      case kLog: logAxes = optarg; break;
      case ':':
        throw UsageError("option " + optionName(argv, optind - 1, optopt) +
                         " needs a value (try -h)");
      default:
        throw UsageError("unknown option " + optionName(argv, optind - 1, optopt) +
                         " (try -h)");
    }
  }
  if (options.showHelp || options.showVersion) return options;
  // getopt_long has moved the operands to the end of argv, not of storage.
  options.inputs.assign(argv.begin() + optind, argv.end() - 1);
  if (options.inputs.empty()) throw UsageError("no profile file (try -h)");
  // The older form "TEXT.obs OUTPUT.svg" names the picture as an operand.
  if (!outputGiven && options.inputs.size() == 2 && namesAPicture(options.inputs[1])) {
    options.output = options.inputs[1];
    options.inputs.pop_back();
  }
  if (options.inputs.size() > kMostTexts) {
    throw UsageError("at most " + std::to_string(kMostTexts) + " texts in one picture, not " +
                     std::to_string(options.inputs.size()));
  }
  if (logAxes) {
    if (!options.plane) throw UsageError("--log applies to --plane pictures only (try -h)");
    applyLog(*logAxes, *options.plane);
  }
  if (options.relative && options.plane) {
    throw UsageError("--relative applies to the panel picture, not to --plane (try -h)");
  }
  if (options.output.empty()) {
    if (options.inputs.size() > 1) {
      throw UsageError("several texts need an output name: -o OUTPUT.svg (try -h)");
    }
    options.output = defaultSvgName(options.inputs[0]);
  }
  return options;
}

std::string defaultSvgName(const std::string& input) {
  return companionPath(input, ".svg").value_or(input + ".svg");
}

}  // namespace tokshuf::plot
