// tokshuf-rank: a plain UTF-8 text or an annotated corpus in, ranked-token
// files out.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "rank/corpus.h"
#include "rank/document_files.h"
#include "rank/input_pieces.h"
#include "rank/rank_options.h"
#include "rank/rank_table.h"
#include "rank/read_corpus.h"
#include "rank/text_limits.h"
#include "rank/zvc_writer.h"
#include "util/file_output_stream.h"
#include "util/output_set.h"
#include "util/printable.h"
#include "util/standard_descriptors.h"
#include "util/version.h"

namespace {

using namespace tokshuf;
using namespace tokshuf::rank;

// Any failure; main prints what() after the program name and exits 1.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The state of one run.
struct RankRun {
  RankOptions options;
  bool inputWasClosed = false;  // standard input was closed at the start
  std::string inputName;        // the input as messages show it
};

// One ranked-token file to write.
struct RankedOutput {
  std::string target;  // "-" is standard output
  std::string label;   // what messages call the text
  RankedText ranked;
};

std::string shownPath(const std::string& path) {
  return path == "-" ? "standard output" : util::printable(path);
}

// The descriptor the input is read from, closed at the end of the read
// unless it is standard input.
class InputDescriptor {
 public:
  explicit InputDescriptor(const RankRun& run) {
    if (run.options.input == "-") {
      if (run.inputWasClosed) {
        throw Failure("cannot read " + run.inputName + ": " + std::strerror(EBADF));
      }
      fd_ = STDIN_FILENO;
      return;
    }
    fd_ = open(run.options.input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw Failure("cannot open " + run.inputName + ": " + std::strerror(errno));
    owned_ = true;
  }
  ~InputDescriptor() {
    if (owned_) close(fd_);
  }
  InputDescriptor(const InputDescriptor&) = delete;
  InputDescriptor& operator=(const InputDescriptor&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
  bool owned_ = false;
};

Corpus readInput(const RankRun& run) {
  const InputDescriptor input(run);
  InputPieces pieces(input.fd(), run.inputName);
  Corpus corpus = readCorpus(pieces, run.options);
  if (corpus.lemmaFallbacks > 0) {
    std::cerr << "tokshuf-rank: " << run.inputName << ": counted the word form for "
              << corpus.lemmaFallbacks << " lemma" << (corpus.lemmaFallbacks == 1 ? "" : "s")
              << " written as _\n";
  }
  return corpus;
}

// Either cuts the text down to what tokshuf accepts by default or says that
// tokshuf reads it only with --no-limits; the file is written in both cases.
void applyLimits(TokenIds& tokens, const std::string& label, bool keepFittingPrefix) {
  const TextSize size{tokens.tokens().size(), tokens.typeCount()};
  if (fitsTokshuf(size)) return;
  const std::string counts =
      std::to_string(size.tokens) + " tokens and " + std::to_string(size.types) + " word types";
  if (keepFittingPrefix) {
    tokens.truncate(longestFittingPrefix(tokens.tokens(), kMaxTokens, kMaxTypes));
    std::cerr << "tokshuf-rank: " << label << " has " << counts << "; kept the first "
              << tokens.tokens().size() << " tokens, which tokshuf accepts\n";
  } else {
    std::cerr << "tokshuf-rank: warning: " << label << " has " << counts
              << "; tokshuf accepts at most " << kMaxTokens << " tokens and " << kMaxTypes
              << " word types unless run with --no-limits (-t keeps the longest prefix "
                 "that fits)\n";
  }
}

// The targets and the names messages give the texts: one output for the
// whole input, or one per document.
std::vector<RankedOutput> outputsOf(const RankRun& run, const Corpus& corpus) {
  std::vector<RankedOutput> outputs;
  if (run.options.documentsDirectory.empty()) {
    outputs.push_back({run.options.output, run.inputName, {}});
    return outputs;
  }
  const std::vector<std::string> targets =
      documentFiles(corpus.documents, run.options.documentsDirectory, run.inputName);
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const std::string& id = corpus.documents[i].id;
    std::string label = "document ";
    label += id.empty() ? std::to_string(i + 1) : '"' + util::printable(id) + '"';
    label += " of " + run.inputName;
    outputs.push_back({targets[i], std::move(label), {}});
  }
  return outputs;
}

// The directory and any missing parents, as mkdir -p makes them.
void makeDirectory(const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) {
    throw Failure("cannot create directory " + util::printable(directory) + ": " + error.message());
  }
}

// ": reason" for the error number of a failed write, when there is one.
std::string reason(int error) { return error != 0 ? std::string(": ") + std::strerror(error) : ""; }

// Standard output may be a full disk or a closed pipe: every write to it
// is checked. The caller clears errno before its first write.
void flushStandardOutput() {
  std::cout.flush();
  if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
    throw Failure("cannot write standard output" + reason(errno));
  }
}

void writeStandardOutput(const RankedText& ranked) {
  errno = 0;
  writeZvc(std::cout, ranked);
  flushStandardOutput();
}

// All files or none: a failure leaves every earlier file as it was. A
// single output was added before the input was read, so that a target
// that cannot be written is refused at once.
void writeFiles(const RankRun& run, const std::vector<RankedOutput>& outputs,
                util::OutputSet& files) {
  if (!run.options.documentsDirectory.empty()) makeDirectory(run.options.documentsDirectory);
  for (const RankedOutput& output : outputs) {
    const int index = run.options.documentsDirectory.empty() ? 0 : files.add(output.target);
    util::FileOutputStream stream(files.stream(index));
    errno = 0;
    writeZvc(stream, output.ranked);
    stream.flush();
    if (!stream) throw Failure("cannot write " + util::printable(output.target) + reason(errno));
  }
  files.commit();
}

void rankInput(const RankRun& run) {
  util::OutputSet files;
  if (run.options.input != "-") files.protect(run.options.input);
  if (!run.options.output.empty() && run.options.output != "-") files.add(run.options.output);
  Corpus corpus = readInput(run);
  std::vector<RankedOutput> outputs = outputsOf(run, corpus);
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    TokenIds& tokens = corpus.documents[i].tokens;
    applyLimits(tokens, outputs[i].label, run.options.keepFittingPrefix);
    outputs[i].ranked = rankTokens(std::move(tokens));
  }
  if (run.options.output == "-") {
    writeStandardOutput(outputs.front().ranked);
  } else {
    writeFiles(run, outputs, files);
  }
  for (const RankedOutput& output : outputs) {
    std::cerr << "Wrote " << shownPath(output.target) << " (" << output.ranked.tokenRanks.size()
              << " word tokens, " << output.ranked.typeByRank.size() << " word types)\n";
  }
}

void show(const std::string& text) {
  errno = 0;
  std::cout << text;
  flushStandardOutput();
}

// By now the failed run's memory is released, so the message can be built.
void reportOutOfMemory(const RankRun& run) {
  std::cerr << "tokshuf-rank: " << (run.inputName.empty() ? "" : run.inputName + ": ")
            << "out of memory\n";
}

}  // namespace

int main(int argc, char** argv) {
  const util::ClosedDescriptors closed = util::ensureStandardDescriptors();
  // A file size limit is then a write error, reported and cleaned up,
  // instead of a silent end by signal.
  std::signal(SIGXFSZ, SIG_IGN);
  RankRun run;
  try {
    run.options = parseRankOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (run.options.showHelp) {
      show(kRankUsage);
      return 0;
    }
    if (run.options.showVersion) {
      show(std::string("tokshuf-rank ") + util::kVersion + "\n");
      return 0;
    }
    run.inputWasClosed = closed.input;
    run.inputName =
        run.options.input == "-" ? "standard input" : util::printable(run.options.input);
    rankInput(run);
    return 0;
  } catch (const std::bad_alloc&) {
    reportOutOfMemory(run);
  } catch (const std::length_error&) {
    reportOutOfMemory(run);  // a table that would outgrow the address space
  } catch (const std::exception& e) {
    std::cerr << "tokshuf-rank: " << util::printable(e.what(), 1000) << '\n';
  }
  return 1;
}
