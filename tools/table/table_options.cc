#include "table/table_options.h"

#include <getopt.h>

#include "util/printable.h"

namespace tokshuf::table {

const char* const kTableUsage =
    "usage: tokshuf-table [-o OUTPUT.csv] [--summary] TEXT.obs...\n"
    "Writes the profile files of one or more tokshuf runs as one CSV table:\n"
    "a row per text, chunk and measure column with the columns\n"
    "text,chunk,N,measure,obs,mean,lower,upper,position. mean, lower and\n"
    "upper come from TEXT.mcm, TEXT.mcl and TEXT.mch when they are beside\n"
    "TEXT.obs; position says whether obs is below, inside or above the band.\n"
    "Where a run has a global envelope test (TEXT.mgl, TEXT.mgh, TEXT.mgt),\n"
    "global_lower,global_upper,global_position follow, and --summary adds p.\n"
    "\n"
    "  -o, --output=FILE  write FILE instead of standard output (\"-\")\n"
    "  -s, --summary      a row per text and measure instead:\n"
    "                     text,measure,chunks,below,inside,above\n"
    "  -h, --help         show this text\n"
    "      --version      show the version\n";

namespace {

constexpr int kVersionOption = 256;

const option kLongOptions[] = {
    {"output", required_argument, nullptr, 'o'},
    {"summary", no_argument, nullptr, 's'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersionOption},
    {nullptr, 0, nullptr, 0},
};

}  // namespace

TableOptions parseTableOptions(const std::vector<std::string>& args) {
  std::vector<std::string> storage{"tokshuf-table"};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(storage.size());

  TableOptions options;
  optind = 0;  // a fresh scan, also when called more than once
  opterr = 0;  // messages are ours, one line with the program name
  // Options may follow the files ("tokshuf-table *.obs -o all.csv"); "--"
  // ends them, so a file named "-x.obs" can be given as "-- -x.obs".
  for (int c; (c = getopt_long(argc, argv.data(), ":o:sh", kLongOptions, nullptr)) != -1;) {
    switch (c) {
      case 'o': options.output = optarg; break;
      case 's': options.summary = true; break;
      case 'h': options.showHelp = true; break;
      case kVersionOption: options.showVersion = true; break;
      case ':':
        throw UsageError("option " + util::printable(argv[optind - 1]) +
                         " needs a file name (try --help)");
      default: {
        const std::string shown =
            optopt != 0 ? std::string("-") + static_cast<char>(optopt) : argv[optind - 1];
        throw UsageError("unknown option " + util::printable(shown) + " (try --help)");
      }
    }
  }
  if (options.showHelp || options.showVersion) return options;
  // getopt_long moves the operands behind the options in argv, not in storage.
  options.inputs.assign(argv.begin() + optind, argv.end() - 1);
  if (options.inputs.empty()) throw UsageError("no profile file (try --help)");
  return options;
}

}  // namespace tokshuf::table
