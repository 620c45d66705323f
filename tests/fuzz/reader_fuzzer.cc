// Arbitrary bytes as a ranked-token file: the reader must either return a
// valid token sequence or refuse with one message line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/fatal_error.h"
#include "common/limits.h"
#include "driver/token_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool hasHeader = (data[0] & 1) != 0;
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "r");
  if (file == nullptr) return 0;
  try {
    const tokshuf::Text text =
        tokshuf::readRankedTokens(file, "fuzz.zvc", hasHeader);
    if (text.N < 0 || text.N > tokshuf::kMaxTokens ||
        int(text.ranks.size()) != text.N + 1) {
      std::abort();
    }
    int rankOne = 0;
    for (int i = 1; i <= text.N; ++i) {
      if (text.ranks[i] < 1 || text.ranks[i] > tokshuf::kMaxRank) std::abort();
      rankOne += text.ranks[i] == 1;
    }
    if (rankOne != text.rankOneCount) std::abort();
  } catch (const tokshuf::FatalError& error) {
    const char* message = error.message();
    const std::size_t length = std::strlen(message);
    if (std::strncmp(message, "tokshuf: ", 9) != 0 || length == 0 ||
        std::strchr(message, '\n') != message + length - 1) {
      std::abort();
    }
  }
  std::fclose(file);
  return 0;
}
