#include "rank/rank_options.h"

#include <getopt.h>

#include <charconv>
#include <optional>

#include "rank/conllu_reader.h"
#include "rank/tag_set.h"

namespace tokshuf::rank {

const char* const kRankUsage =
    "usage: tokshuf-rank [OPTIONS] INPUT [OUTPUT.zvc]\n"
    "       tokshuf-rank [OPTIONS] --documents DIR INPUT\n"
    "Turns a plain UTF-8 text, a CoNLL-U file or a vertical file into the\n"
    "ranked-token file that tokshuf reads.\n"
    "\n"
    "  -n  keep numbers as words (plain text; dropped by default)\n"
    "  -c  keep the case of words (case-folded by default)\n"
    "  -t  keep only the longest prefix of the text that tokshuf accepts\n"
    "      (at most 220000 tokens and 22000 word types)\n"
    "  -h, --help     show this text\n"
    "      --version  show the version\n"
    "\n"
    "  --format text|conllu|vertical  the input's format (default: conllu for\n"
    "                     a name ending in .conllu, else text)\n"
    "  --field form|lemma  CoNLL-U: the column counted (default form)\n"
    "  --lemma-fallback   CoNLL-U: count the form where the lemma is \"_\"\n"
    "  --column N         vertical: the word's column (default 1)\n"
    "  --tag-column M     vertical: the column --drop looks at\n"
    "  --drop TAG,...     leave out tokens with these tags (CoNLL-U: UPOS,\n"
    "                     default PUNCT,SYM,NUM,X; --drop '' keeps all)\n"
    "  --documents DIR    write one ranked file per document into DIR\n"
    "\n"
    "INPUT \"-\" reads standard input. OUTPUT defaults to INPUT with its\n"
    "extension replaced by \".zvc\" (standard output when INPUT is \"-\");\n"
    "OUTPUT \"-\" is standard output.\n"
    "Output: the line \"Word z\", then \"word rank\" per token in text order;\n"
    "rank 1 is the most frequent word, ties go to the earlier first use.\n";

namespace {

enum LongOnly : int {
  kVersion = 256,
  kFormat,
  kField,
  kLemmaFallback,
  kColumn,
  kTagColumn,
  kDrop,
  kDocuments,
};

constexpr option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {"format", required_argument, nullptr, kFormat},
    {"field", required_argument, nullptr, kField},
    {"lemma-fallback", no_argument, nullptr, kLemmaFallback},
    {"column", required_argument, nullptr, kColumn},
    {"tag-column", required_argument, nullptr, kTagColumn},
    {"drop", required_argument, nullptr, kDrop},
    {"documents", required_argument, nullptr, kDocuments},
    {nullptr, 0, nullptr, 0},
};

// What the command line said, before the options are checked against the
// input's format.
struct GivenOptions {
  RankOptions options;
  std::optional<InputFormat> format;
  std::optional<std::string> drop;
  std::vector<std::string> given;  // long options used, as "--name"
  std::vector<std::string> operands;
};

InputFormat parseFormat(const std::string& value) {
  if (value == "text") return InputFormat::kText;
  if (value == "conllu") return InputFormat::kConllu;
  if (value == "vertical") return InputFormat::kVertical;
  throw UsageError("--format must be text, conllu or vertical, not \"" + value + "\"");
}

int parseColumn(const char* name, const std::string& value) {
  int column = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), column);
  if (error != std::errc() || end != value.data() + value.size() || column < 1 || column > 1000) {
    throw UsageError(std::string(name) + " must be a column number from 1 to 1000, not \"" + value +
                     "\"");
  }
  return column;
}

void applyOption(int letter, const std::string& value, GivenOptions& given) {
  RankOptions& options = given.options;
  switch (letter) {
    case 'n':
      options.segmenter.keepNumbers = true;
      break;
    case 'c':
      options.segmenter.keepCase = options.annotation.keepCase = true;
      break;
    case 't':
      options.keepFittingPrefix = true;
      break;
    case 'h':
      options.showHelp = true;
      break;
    case kVersion:
      options.showVersion = true;
      break;
    case kFormat:
      given.format = parseFormat(value);
      break;
    case kField:
      if (value != "form" && value != "lemma") {
        throw UsageError("--field must be form or lemma, not \"" + value + "\"");
      }
      options.annotation.field = value == "lemma" ? ConlluField::kLemma : ConlluField::kForm;
      break;
    case kLemmaFallback:
      options.annotation.lemmaFallback = true;
      break;
    case kColumn:
      options.annotation.column = parseColumn("--column", value);
      break;
    case kTagColumn:
      options.annotation.tagColumn = parseColumn("--tag-column", value);
      break;
    case kDrop:
      given.drop = value;
      break;
    case kDocuments:
      if (value.empty()) throw UsageError("--documents needs a directory name");
      options.documentsDirectory = value;
      break;
  }
}

// Why getopt_long refused arg: glibc leaves optopt 0 for an unknown long
// option and sets it to the option's value for a missing or unwanted value.
std::string refusal(const std::string& arg) {
  if (arg.rfind("--", 0) != 0) {
    return std::string("unknown option -") + static_cast<char>(optopt) + " (try -h)";
  }
  const std::size_t equals = arg.find('=');
  const std::string name = arg.substr(0, equals);
  if (optopt == 0) return "unknown option " + name + " (try -h)";
  if (equals != std::string::npos) return "option " + name + " takes no value (try -h)";
  return "option " + name + " needs a value (try -h)";
}

GivenOptions readCommandLine(const std::vector<std::string>& args) {
  std::vector<std::string> storage{"tokshuf-rank"};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);

  GivenOptions given;
  optind = 0;  // a full restart of getopt's scan, as glibc documents
  opterr = 0;  // its messages are not ours
  const int argc = static_cast<int>(storage.size());
  for (int longIndex = -1;; longIndex = -1) {
    const int letter = getopt_long(argc, argv.data(), "ncth", kLongOptions, &longIndex);
    if (letter == -1) break;
    if (letter == '?' || letter == ':') throw UsageError(refusal(argv[optind - 1]));
    if (longIndex >= 0) given.given.push_back(std::string("--") + kLongOptions[longIndex].name);
    applyOption(letter, optarg != nullptr ? optarg : "", given);
  }
  for (int i = optind; i < argc; ++i) given.operands.push_back(argv[i]);
  return given;
}

bool endsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool wasGiven(const GivenOptions& given, const char* name) {
  for (const std::string& option : given.given) {
    if (option == name) return true;
  }
  return false;
}

// Options that only some formats read are refused with the others, rather
// than silently doing nothing.
void checkOptionsFitTheFormat(const GivenOptions& given) {
  const RankOptions& options = given.options;
  struct Rule {
    const char* option;
    bool allowed;
    const char* where;
  };
  const bool text = options.format == InputFormat::kText;
  const bool conllu = options.format == InputFormat::kConllu;
  const bool vertical = options.format == InputFormat::kVertical;
  for (const Rule& rule :
       {Rule{"--field", conllu, "CoNLL-U files"}, Rule{"--lemma-fallback", conllu, "CoNLL-U files"},
        Rule{"--column", vertical, "vertical files"},
        Rule{"--tag-column", vertical, "vertical files"},
        Rule{"--drop", !text, "CoNLL-U and vertical files"},
        Rule{"--documents", !text, "CoNLL-U and vertical files"}}) {
    if (!rule.allowed && wasGiven(given, rule.option)) {
      throw UsageError(std::string(rule.option) + " applies to " + rule.where + " only");
    }
  }
  if (!text && options.segmenter.keepNumbers) {
    throw UsageError("-n applies to plain texts only (--drop chooses the tags left out)");
  }
  if (options.annotation.lemmaFallback && options.annotation.field != ConlluField::kLemma) {
    throw UsageError("--lemma-fallback goes with --field lemma");
  }
  if (vertical && given.drop && options.annotation.tagColumn == 0) {
    throw UsageError("--drop needs --tag-column for a vertical file");
  }
}

void resolveFormat(GivenOptions& given) {
  RankOptions& options = given.options;
  options.format = given.format.value_or(endsWith(options.input, ".conllu") ? InputFormat::kConllu
                                                                            : InputFormat::kText);
  checkOptionsFitTheFormat(given);
  if (given.drop) {
    options.annotation.drop = splitTagList(*given.drop);
  } else if (options.format == InputFormat::kConllu) {
    options.annotation.drop = splitTagList(kDefaultConlluDrop);
  }
  options.annotation.splitDocuments = !options.documentsDirectory.empty();
}

void resolveFiles(GivenOptions& given) {
  RankOptions& options = given.options;
  const std::vector<std::string>& operands = given.operands;
  if (operands.empty()) throw UsageError("no input file (try -h)");
  if (operands.size() > 2) {
    throw UsageError("too many arguments: " + operands[2] + " (try -h)");
  }
  options.input = operands[0];
  if (!options.documentsDirectory.empty()) {
    if (operands.size() == 2) {
      throw UsageError("--documents writes into " + options.documentsDirectory +
                       "; an OUTPUT file cannot be named too");
    }
    return;
  }
  if (operands.size() == 2) {
    options.output = operands[1];
  } else {
    options.output = options.input == "-" ? "-" : defaultOutputName(options.input);
  }
  if (options.output == options.input && options.input != "-") {
    throw UsageError("output " + options.output + " would overwrite the input");
  }
}

}  // namespace

RankOptions parseRankOptions(const std::vector<std::string>& args) {
  GivenOptions given = readCommandLine(args);
  if (given.options.showHelp || given.options.showVersion) return given.options;
  resolveFiles(given);
  resolveFormat(given);
  return given.options;
}

std::string defaultOutputName(const std::string& input) {
  const std::size_t nameStart = input.find_last_of('/') + 1;  // npos + 1 == 0
  const std::size_t dot = input.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) return input + ".zvc";
  return input.substr(0, dot) + ".zvc";
}

}  // namespace tokshuf::rank
