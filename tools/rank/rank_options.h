#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "rank/annotation_options.h"
#include "rank/word_segmenter.h"

namespace tokshuf::rank {

enum class InputFormat { kText, kConllu, kVertical };

struct RankOptions {
  InputFormat format = InputFormat::kText;
  SegmenterOptions segmenter;      // plain text
  AnnotationOptions annotation;    // CoNLL-U and vertical files
  bool keepFittingPrefix = false;  // cut the text to what tokshuf accepts
  bool showHelp = false;
  bool showVersion = false;
  std::string input;               // "-" is standard input
  std::string output;              // "-" is standard output; empty with documentsDirectory
  std::string documentsDirectory;  // one output per document in it; empty for one output
};

// A command line that cannot be run; what() is the message without the
// program name.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name.
RankOptions parseRankOptions(const std::vector<std::string>& args);

// INPUT with its extension replaced by ".zvc": "novel.txt" -> "novel.zvc",
// "notes" -> "notes.zvc". A dot that starts the file name or sits in a
// directory name is not an extension.
std::string defaultOutputName(const std::string& input);

extern const char* const kRankUsage;

}  // namespace tokshuf::rank
