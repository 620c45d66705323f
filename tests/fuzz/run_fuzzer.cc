// A whole run on a small arbitrary input: the first line holds the options
// (letters and long options: measure lists, seeds, the global test), the
// rest is the ranked-token file. Reader, chunking, all measures, a few
// permutation runs, the summaries, the global tests and the profile writer
// must either finish or end with one fatal message. The text is profiled
// twice, by the reference engine and by the fast engine over threads; both
// must agree to the bit, or fail with the same message.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "common/chunks.h"
#include "common/fatal_error.h"
#include "common/profile_table.h"
#include "driver/options.h"
#include "driver/profile_writer.h"
#include "driver/token_reader.h"
#include "montecarlo/text_profiles.h"

namespace {

constexpr int kMaxFuzzPermutations = 9;  // below the first progress line

tokshuf::CommandLine scanFirstLine(const std::string& line) {
  std::vector<std::string> args{"tokshuf"};
  std::istringstream words(line);
  for (std::string word; words >> word;) args.push_back(word);
  args.push_back("fuzz.zvc");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return tokshuf::scanOptions(int(args.size()), argv.data());
}

void checkProfile(const tokshuf::ProfileTable& table,
                  const tokshuf::Settings& s,
                  const tokshuf::Chunks& chunkEnds) {
  char* buffer = nullptr;
  std::size_t length = 0;
  std::FILE* out = open_memstream(&buffer, &length);
  if (out == nullptr) return;
  tokshuf::writeProfile(out, table, s.nchunks, chunkEnds, s.measures.labels());
  std::fclose(out);
  if (std::count(buffer, buffer + length, '\n') != s.nchunks + 1) std::abort();
  std::free(buffer);
}

// The profiles of the text by one engine, or the fatal message that ended
// the run.
struct Outcome {
  tokshuf::TextProfiles profiles;
  std::string error;
};

Outcome profileWith(tokshuf::Engine engine, int threads,
                    const tokshuf::Settings& settings,
                    const tokshuf::Text& text) {
  Outcome outcome;
  try {
    outcome.profiles =
        tokshuf::profileText({engine, threads, nullptr}, settings, text);
  } catch (const tokshuf::FatalError& error) {
    outcome.error = error.message();
  }
  return outcome;
}

bool sameBits(const double* a, const double* b, std::size_t count) {
  return std::memcmp(a, b, count * sizeof(double)) == 0;
}

bool sameTable(const tokshuf::ProfileTable& a, const tokshuf::ProfileTable& b) {
  const std::size_t values = std::size_t(tokshuf::kMaxChunks + 2) * (a.columns() + 1);
  return a.columns() == b.columns() && sameBits(a[0], b[0], values);
}

bool sameTables(const tokshuf::ProfileTables& a, const tokshuf::ProfileTables& b) {
  return sameTable(a.observed, b.observed) && sameTable(a.means, b.means) &&
         sameTable(a.lowerBounds, b.lowerBounds) && sameTable(a.upperBounds, b.upperBounds);
}

bool sameGlobalTests(const tokshuf::GlobalTests& a, const tokshuf::GlobalTests& b) {
  if (a.measures.size() != b.measures.size() || !sameBits(&a.combinedP, &b.combinedP, 1)) {
    return false;
  }
  for (std::size_t i = 1; i < a.measures.size(); ++i) {
    const tokshuf::GlobalEnvelope& x = a.measures[i];
    const tokshuf::GlobalEnvelope& y = b.measures[i];
    if (!sameBits(&x.p, &y.p, 1) || x.lower.size() != y.lower.size() ||
        !sameBits(x.lower.data(), y.lower.data(), x.lower.size()) ||
        !sameBits(x.upper.data(), y.upper.data(), x.upper.size()) || x.below != y.below ||
        x.above != y.above) {
      return false;
    }
  }
  return true;
}

// Aborts unless both engines give the same tables and global tests, to the
// bit, the same missing fits and the same fatal message.
void compareEngines(const Outcome& reference, const Outcome& fast) {
  if (reference.error != fast.error) std::abort();
  if (!reference.error.empty()) throw tokshuf::FatalError(reference.error);
  const tokshuf::TextProfiles& a = reference.profiles;
  const tokshuf::TextProfiles& b = fast.profiles;
  if (a.missing.zipf != b.missing.zipf || a.missing.sichel != b.missing.sichel ||
      !sameTables(a.tables, b.tables) || !sameGlobalTests(a.global, b.global)) {
    std::abort();
  }
}

void runOnce(const std::uint8_t* data, std::size_t size) {
  const std::uint8_t* newline =
      static_cast<const std::uint8_t*>(std::memchr(data, '\n', size));
  const std::size_t lineLength = newline ? std::size_t(newline - data) : size;
  tokshuf::CommandLine line =
      scanFirstLine(std::string(reinterpret_cast<const char*>(data), lineLength));
  if (line.helpRequested) return;
  tokshuf::Settings& settings = line.settings;
  settings.nperm = std::min(settings.nperm, kMaxFuzzPermutations);

  const std::size_t rest = newline ? size - lineLength - 1 : 0;
  std::vector<std::uint8_t> file(newline ? newline + 1 : data, data + size);
  file.push_back(0);
  std::FILE* input = fmemopen(file.data(), rest, "r");
  if (input == nullptr) return;
  tokshuf::Text text;
  try {
    text = tokshuf::readRankedTokens(input, "fuzz.zvc", settings.hasHeader);
  } catch (...) {
    std::fclose(input);
    throw;
  }
  std::fclose(input);

  const int threads = 1 + int(size % 3);
  const Outcome reference =
      profileWith(tokshuf::Engine::kReference, 1, settings, text);
  compareEngines(reference,
                 profileWith(tokshuf::Engine::kFast, threads, settings, text));
  const tokshuf::TextProfiles& profiles = reference.profiles;
  checkProfile(profiles.tables.observed, settings, profiles.chunkEnds);
  if (settings.nperm > 0) {
    checkProfile(profiles.tables.upperBounds, settings, profiles.chunkEnds);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    runOnce(data, size);
  } catch (const tokshuf::FatalError& error) {
    const std::size_t length = std::strlen(error.message());
    if (length == 0 || error.message()[length - 1] != '\n') std::abort();
  }
  return 0;
}
