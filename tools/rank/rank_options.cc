#include "rank/rank_options.h"

namespace tokshuf::rank {

const char* const kRankUsage =
    "usage: tokshuf-rank [-nct] INPUT.txt [OUTPUT.zvc]\n"
    "Turns a plain UTF-8 text into the ranked-token file that tokshuf reads.\n"
    "\n"
    "  -n  keep numbers as words (dropped by default)\n"
    "  -c  keep the case of words (case-folded by default)\n"
    "  -t  keep only the longest prefix of the text that tokshuf accepts\n"
    "      (at most 220000 tokens and 22000 word types)\n"
    "  -h  show this text\n"
    "\n"
    "INPUT \"-\" reads standard input. OUTPUT defaults to INPUT with its\n"
    "extension replaced by \".zvc\" (standard output when INPUT is \"-\");\n"
    "OUTPUT \"-\" is standard output.\n"
    "Output: the line \"Word z\", then \"word rank\" per token in text order;\n"
    "rank 1 is the most frequent word, ties go to the earlier first use.\n";

namespace {

void applyFlags(const std::string& group, RankOptions& options) {
  for (std::size_t i = 1; i < group.size(); ++i) {
    switch (group[i]) {
      case 'n': options.segmenter.keepNumbers = true; break;
      case 'c': options.segmenter.keepCase = true; break;
      case 't': options.keepFittingPrefix = true; break;
      case 'h': options.showHelp = true; break;
      default:
        throw UsageError(std::string("unknown option -") + group[i] +
                         " (try -h)");
    }
  }
}

}  // namespace

RankOptions parseRankOptions(const std::vector<std::string>& args) {
  RankOptions options;
  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      applyFlags(arg, options);
    } else {
      operands.push_back(arg);
    }
  }
  if (options.showHelp) return options;
  if (operands.empty()) throw UsageError("no input file (try -h)");
  if (operands.size() > 2) {
    throw UsageError("too many arguments: " + operands[2] + " (try -h)");
  }
  options.input = operands[0];
  if (operands.size() == 2) {
    options.output = operands[1];
  } else {
    options.output =
        options.input == "-" ? "-" : defaultOutputName(options.input);
  }
  if (options.output == options.input && options.input != "-") {
    throw UsageError("output " + options.output + " would overwrite the input");
  }
  return options;
}

std::string defaultOutputName(const std::string& input) {
  const std::size_t nameStart = input.find_last_of('/') + 1;  // npos + 1 == 0
  const std::size_t dot = input.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) return input + ".zvc";
  return input.substr(0, dot) + ".zvc";
}

}  // namespace tokshuf::rank
