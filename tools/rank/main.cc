// tokshuf-rank: plain UTF-8 text in, ranked-token file out.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "rank/rank_options.h"
#include "rank/rank_table.h"
#include "rank/text_limits.h"
#include "rank/utf8_check.h"
#include "rank/word_segmenter.h"
#include "rank/zvc_writer.h"

namespace {

using namespace tokshuf::rank;

// Any failure; main prints what() after the program name and exits 1.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string displayName(const std::string& path) {
  return path == "-" ? "standard input" : path;
}

std::string readAll(const std::string& path) {
  std::ifstream file;
  std::istream* in = &std::cin;
  if (path != "-") {
    // A directory opens as a stream on Linux and reads as nothing.
    if (std::filesystem::is_directory(path)) throw Failure(path + " is a directory");
    file.open(path, std::ios::binary);
    if (!file) throw Failure("cannot open " + path + ": " + std::strerror(errno));
    in = &file;
  }
  std::ostringstream bytes;
  bytes << in->rdbuf();
  if (in->bad()) throw Failure("cannot read " + displayName(path));
  return std::move(bytes).str();
}

std::vector<std::string> wordsOf(const std::string& bytes,
                                 const RankOptions& options) {
  if (auto offset = findInvalidUtf8(bytes)) {
    throw Failure(displayName(options.input) + ": invalid UTF-8 at byte offset " +
                  std::to_string(*offset));
  }
  // ICU indexes its strings with 32-bit integers.
  if (bytes.size() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 2)) {
    throw Failure(displayName(options.input) + ": text too large");
  }
  return WordSegmenter(options.segmenter).words(bytes);
}

// Either cuts the text down to what tokshuf accepts or warns that tokshuf
// will refuse it; the file is written in both cases.
void applyLimits(std::vector<std::string>& words, const RankOptions& options) {
  const TextSize size = measureText(words);
  if (fitsTokshuf(size)) return;
  const std::string counts = std::to_string(size.tokens) + " tokens and " +
                             std::to_string(size.types) + " word types";
  if (options.keepFittingPrefix) {
    words.resize(longestFittingPrefix(words, kMaxTokens, kMaxTypes));
    std::cerr << "tokshuf-rank: " << displayName(options.input) << " has "
              << counts << "; kept the first " << words.size()
              << " tokens, which tokshuf accepts\n";
  } else {
    std::cerr << "tokshuf-rank: warning: " << displayName(options.input)
              << " has " << counts << "; tokshuf accepts at most " << kMaxTokens
              << " tokens and " << kMaxTypes << " word types (-t keeps the "
              << "longest prefix that fits)\n";
  }
}

// The same file under another spelling ("./a.txt" and "a.txt").
void refuseToOverwriteInput(const RankOptions& options) {
  std::error_code error;
  if (options.input != "-" && options.output != "-" &&
      std::filesystem::equivalent(options.input, options.output, error)) {
    throw Failure("output " + options.output + " would overwrite the input");
  }
}

void writeOutput(const RankedText& ranked, const std::string& path) {
  if (path == "-") {
    writeZvc(std::cout, ranked);
    std::cout.flush();
    if (!std::cout) throw Failure("cannot write standard output");
    return;
  }
  std::ofstream file(path, std::ios::binary);
  if (!file) throw Failure("cannot create " + path + ": " + std::strerror(errno));
  writeZvc(file, ranked);
  file.close();
  if (!file) throw Failure("cannot write " + path);
}

void run(const RankOptions& options) {
  refuseToOverwriteInput(options);
  std::vector<std::string> words = wordsOf(readAll(options.input), options);
  applyLimits(words, options);
  const RankedText ranked = rankWords(words);
  writeOutput(ranked, options.output);
  std::cerr << "Wrote " << (options.output == "-" ? "standard output" : options.output)
            << " (" << ranked.tokenRanks.size() << " word tokens, "
            << ranked.typeByRank.size() << " word types)\n";
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const RankOptions options =
        parseRankOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.showHelp) {
      std::cout << kRankUsage;
      return 0;
    }
    run(options);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "tokshuf-rank: " << e.what() << '\n';
    return 1;
  }
}
