#pragma once

#include <cstdio>
#include <string>

#include <sys/stat.h>

#include "util/output_set.h"

namespace tokshuf {

// The profile files of one run, as one unit: written to temporary files
// beside their targets and renamed into place together only when every
// file is complete, so a failed, interrupted or concurrent run never leaves
// a mixture of two runs' results. Failures become tokshuf's own messages.
class OutputFiles {
 public:
  // Makes sure target can be written and is not the input file, and creates
  // its temporary file; returns its index (0-based, in open order). Throws
  // FatalError naming the target.
  int open(const std::string& target, const struct stat& input);

  // The stream of the file opened as number index (0-based, in open order).
  std::FILE* stream(int index) { return files_.stream(index); }

  // Checks that all was written, then replaces every target, or none.
  // Throws FatalError on failure.
  void commitAll();

  // Removes every temporary file; safe to call more than once.
  void discard() { files_.discard(); }

 private:
  util::OutputSet files_;
};

}  // namespace tokshuf
