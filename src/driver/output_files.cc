#include "driver/output_files.h"

#include "common/fatal_error.h"

namespace tokshuf {
namespace {

[[noreturn]] void reportInTokshufWords(const util::OutputError& error) {
  const char* target = error.target().c_str();
  switch (error.kind()) {
    case util::OutputError::Kind::kIsAnInput:
      throw FatalError(formatString("tokshuf: output file %s is the input file\n", target));
    case util::OutputError::Kind::kCannotCreate:
      throw FatalError(formatString("tokshuf: can't open textfile %s\n", target));
    case util::OutputError::Kind::kCannotWrite:
      break;
  }
  throw FatalError(formatString("tokshuf: can't write %s\n", target));
}

}  // namespace

int OutputFiles::open(const std::string& target, const struct stat& input) {
  try {
    files_.protect(input);
    return files_.add(target);
  } catch (const util::OutputError& error) {
    reportInTokshufWords(error);
  }
}

void OutputFiles::commitAll() {
  try {
    files_.commit();
  } catch (const util::OutputError& error) {
    reportInTokshufWords(error);
  }
}

}  // namespace tokshuf
