// A whole run on a small arbitrary input: the first line holds the option
// groups, the rest is the ranked-token file. Reader, chunking, all measures,
// a few permutation runs, the summaries and the profile writer must either
// finish or end with one fatal message. The permutation runs are computed
// twice, one run after another and spread over threads; both must agree to
// the bit, or fail with the same message.
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
#include "measures/chunk_measures.h"
#include "montecarlo/parallel_permutation.h"
#include "montecarlo/permutation.h"
#include "montecarlo/summary_tables.h"

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
  tokshuf::writeProfile(out, table, s.nchunks, chunkEnds);
  std::fclose(out);
  if (std::count(buffer, buffer + length, '\n') != s.nchunks + 1) std::abort();
  std::free(buffer);
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Runs the permutation runs one after another into arrays and over threads
// into a copy; aborts unless rows, missing fits and any fatal message agree.
void compareEngines(const tokshuf::MeasureContext& context, const tokshuf::Text& text,
                    int threads, tokshuf::RunState& run, tokshuf::RunArrays& arrays) {
  const int nperm = context.settings.nperm;
  tokshuf::RunArrays parallel = arrays;
  std::string sequentialError, parallelError;
  tokshuf::Text shuffled = text;
  const int zipfBefore = run.missingZipfFits,
            sichelBefore = run.missingSichelFits;
  try {
    tokshuf::permute(nperm, context, shuffled, run, arrays);
  } catch (const tokshuf::FatalError& error) {
    sequentialError = error.message();
  }
  tokshuf::MissingFits missing;
  try {
    missing = tokshuf::permuteInParallel(nperm, context, text, threads, parallel);
  } catch (const tokshuf::FatalError& error) {
    parallelError = error.message();
  }
  if (sequentialError != parallelError) std::abort();
  if (!sequentialError.empty()) throw tokshuf::FatalError(sequentialError);
  if (missing.zipf != run.missingZipfFits - zipfBefore ||
      missing.sichel != run.missingSichelFits - sichelBefore) {
    std::abort();
  }
  for (int column = 1; column <= tokshuf::kMeasureColumns; ++column) {
    for (int p = 1; p <= nperm; ++p) {
      for (int j = 1; j <= context.settings.nchunks; ++j) {
        if (!sameBits(arrays[column][p][j], parallel[column][p][j])) std::abort();
      }
    }
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

  const tokshuf::Chunks chunkEnds =
      tokshuf::computeChunks(text.N, settings.nchunks);
  const tokshuf::MeasureContext context{settings, chunkEnds, text.N,
                                        text.rankOneCount};
  tokshuf::RunArrays arrays(settings.nperm);
  tokshuf::RunState run;
  tokshuf::measureTokenOrder(0, context, text.ranks, run, arrays);
  if (settings.nperm > 0) {
    const int threads = 1 + int(size % 3);
    compareEngines(context, text, threads, run, arrays);
  }
  tokshuf::ProfileTables tables;
  tokshuf::summariseRuns(arrays, settings, tables);
  checkProfile(tables.observed, settings, chunkEnds);
  if (settings.nperm > 0) checkProfile(tables.upperBounds, settings, chunkEnds);
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
