#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace tokshuf {

// The profile files of one run. Each is written to a temporary file beside
// its target; only when every file is complete are they renamed over their
// targets, so a failed or interrupted run leaves earlier results intact.
// While temporary files exist, SIGINT, SIGTERM and SIGHUP remove them before
// the process ends by the signal.
class OutputFiles {
 public:
  OutputFiles() = default;
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;
  ~OutputFiles();  // removes temporary files that were never committed

  // Makes sure target can be written and is not the input file, and creates
  // its temporary file. Throws FatalError naming the target.
  void open(const std::string& target, const struct stat& input);

  // The stream of the file opened as number index (0-based, in open order).
  std::FILE* stream(int index);

  // Closes every temporary file, checking that all was written, then renames
  // them over their targets in open order. Throws FatalError on failure.
  void commitAll();

  // Removes every temporary file; safe to call more than once.
  void discard();

 private:
  struct File {
    std::string target;
    std::string temporary;
    std::FILE* stream = nullptr;
  };
  void closeChecked(File& file);

  std::vector<File> files_;
};

}  // namespace tokshuf
