#include "driver/run_driver.h"

#include <cstdio>
#include <new>
#include <string>

#include <sys/stat.h>

#include "common/chunks.h"
#include "common/fatal_error.h"
#include "common/profile_table.h"
#include "driver/options.h"
#include "driver/output_files.h"
#include "driver/profile_writer.h"
#include "driver/token_reader.h"
#include "driver/usage.h"
#include "montecarlo/text_profiles.h"

namespace tokshuf {
namespace {

constexpr int kObs = 0, kMcm = 1, kMch = 2, kMcl = 3;  // in opening order

// Closes the input on every path out of the run.
struct InputFile {
  std::FILE* stream = nullptr;
  ~InputFile() {
    if (stream != nullptr) std::fclose(stream);
  }
};

void openInput(const char* name, InputFile& input, struct stat& info) {
  input.stream = std::fopen(name, "r");
  if (input.stream == nullptr || fstat(fileno(input.stream), &info) != 0 ||
      S_ISDIR(info.st_mode)) {
    throw FatalError(formatString("tokshuf: can't open textfile %s\n", name));
  }
}

// The input name without its last four characters (normally ".zvc").
std::string baseName(const char* inputName) {
  const std::string name = inputName;
  if (name.size() < 4) {
    throw FatalError(formatString(
        "tokshuf: input file name %s is too short: the last four characters "
        "are replaced by the output extensions\n",
        inputName));
  }
  return name.substr(0, name.size() - 4);
}

void openOutputs(const std::string& base, int nperm, const struct stat& input,
                 OutputFiles& outputs) {
  outputs.open(base + ".obs", input);
  if (nperm > 0) {
    outputs.open(base + ".mcm", input);
    outputs.open(base + ".mch", input);
    outputs.open(base + ".mcl", input);
  }
}

void writeProfiles(const ProfileTables& tables, const Settings& settings,
                   const Chunks& chunkEnds, OutputFiles& outputs) {
  writeProfile(outputs.stream(kObs), tables.observed, settings.nchunks,
               chunkEnds);
  if (settings.nperm > 0) {
    writeProfile(outputs.stream(kMcm), tables.means, settings.nchunks,
                 chunkEnds);
    writeProfile(outputs.stream(kMcl), tables.lowerBounds, settings.nchunks,
                 chunkEnds);
    writeProfile(outputs.stream(kMch), tables.upperBounds, settings.nchunks,
                 chunkEnds);
  }
  outputs.commitAll();
}

int run(const EngineSettings& engine, int argc, char** argv) {
  const CommandLine line = scanOptions(argc, argv);
  if (line.helpToStandardOutput) {
    printUsage();
    return 0;
  }
  if (line.versionRequested) {
    printVersion();
    return 0;
  }
  if (line.helpRequested || line.inputName == nullptr) {
    help(stderr);
    return 1;
  }
  const Settings& settings = line.settings;

  InputFile input;
  struct stat inputInfo;
  openInput(line.inputName, input, inputInfo);
  OutputFiles outputs;
  openOutputs(baseName(line.inputName), settings.nperm, inputInfo, outputs);

  const Text text =
      readRankedTokens(input.stream, line.inputName, settings.hasHeader);
  std::fclose(input.stream);
  input.stream = nullptr;
  std::fprintf(stderr, "Loaded %s (%d word tokens)\n", line.inputName, text.N);

  const TextProfiles profiles = profileText(engine, settings, text);
  writeProfiles(profiles.tables, settings, profiles.chunkEnds, outputs);

  std::fprintf(stderr, "Number of missing fits for Zipf:   %d\n",
               profiles.missing.zipf);
  std::fprintf(stderr, "Number of missing fits for Sichel: %d\n",
               profiles.missing.sichel);
  return 0;
}

}  // namespace

int runTokshuf(int argc, char** argv) {
  return runTokshuf(EngineSettings{}, argc, argv);
}

int runTokshuf(const EngineSettings& engine, int argc, char** argv) {
  try {
    return run(engine, argc, argv);
  } catch (const FatalError& error) {
    std::fputs(error.message(), stderr);
  } catch (const std::bad_alloc&) {
    std::fputs("tokshuf: out of memory\n", stderr);
  }
  return 1;
}

}  // namespace tokshuf
