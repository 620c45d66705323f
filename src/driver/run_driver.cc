#include "driver/run_driver.h"

#include <charconv>
#include <cstdio>
#include <new>
#include <string>

#include <sys/stat.h>

#include "common/chunks.h"
#include "common/fatal_error.h"
#include "common/profile_table.h"
#include "driver/global_test_writer.h"
#include "driver/options.h"
#include "driver/output_files.h"
#include "driver/profile_writer.h"
#include "driver/runs_writer.h"
#include "driver/token_reader.h"
#include "driver/usage.h"
#include "montecarlo/text_profiles.h"

namespace tokshuf {
namespace {

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

// The output files of a run, by their position in the output set.
struct OutputIndices {
  int observed = -1, means = -1, upperBounds = -1, lowerBounds = -1;
  int runs = -1;
  int globalLower = -1, globalUpper = -1, globalTest = -1;
};

OutputIndices openOutputs(const std::string& base, const Settings& settings,
                          const struct stat& input, OutputFiles& outputs) {
  OutputIndices at;
  at.observed = outputs.open(base + ".obs", input);
  if (settings.nperm > 0) {
    at.means = outputs.open(base + ".mcm", input);
    at.upperBounds = outputs.open(base + ".mch", input);
    at.lowerBounds = outputs.open(base + ".mcl", input);
  }
  if (settings.writeRuns) at.runs = outputs.open(base + ".mcr", input);
  if (settings.globalTest) {
    at.globalLower = outputs.open(base + ".mgl", input);
    at.globalUpper = outputs.open(base + ".mgh", input);
    at.globalTest = outputs.open(base + ".mgt", input);
  }
  return at;
}

void writeProfiles(const TextProfiles& profiles, const Settings& settings,
                   const OutputIndices& at, OutputFiles& outputs) {
  const std::vector<const char*> labels = settings.measures.labels();
  const ProfileTables& tables = profiles.tables;
  auto write = [&](int index, const ProfileTable& table) {
    writeProfile(outputs.stream(index), table, settings.nchunks, profiles.chunkEnds, labels);
  };
  write(at.observed, tables.observed);
  if (settings.nperm > 0) {
    write(at.means, tables.means);
    write(at.lowerBounds, tables.lowerBounds);
    write(at.upperBounds, tables.upperBounds);
  }
  if (settings.writeRuns) {
    writeRuns(outputs.stream(at.runs), profiles.runs, settings, profiles.chunkEnds);
  }
  if (settings.globalTest) {
    write(at.globalLower, globalBounds(profiles.global, false));
    write(at.globalUpper, globalBounds(profiles.global, true));
    writeGlobalTestTable(outputs.stream(at.globalTest), profiles.global, settings);
  }
}

// The parameters in force, so that a log of the run records them, when a
// measure that has one is chosen.
void reportMeasureParameters(const Settings& settings) {
  if (!settings.measures.hasAnyOf(
          {kColumnMATTR, kColumnMSTTR, kColumnMTLD, kColumnMTLDMA, kColumnHDD})) {
    return;
  }
  const MeasureParameters& p = settings.parameters;
  char threshold[32];
  *std::to_chars(threshold, threshold + sizeof threshold - 1, p.mtldThreshold).ptr = '\0';
  std::fprintf(stderr,
               "Window measures: MATTR window %d, MSTTR segment %d, MTLD threshold %s, "
               "HD-D draws %d\n",
               p.window, p.segment, threshold, p.hddDraws);
}

// One line per fit that the chosen measures needed.
void reportMissingFits(const MissingFits& missing, const MeasureSelection& chosen) {
  if (chosen.has(kColumnZ)) {
    std::fprintf(stderr, "Number of missing fits for Zipf:   %d\n", missing.zipf);
  }
  if (chosen.hasAnyOf({kColumnSichelB, kColumnSichelC, kColumnSichelA1})) {
    std::fprintf(stderr, "Number of missing fits for Sichel: %d\n", missing.sichel);
  }
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
  const OutputIndices at =
      openOutputs(baseName(line.inputName), settings, inputInfo, outputs);

  Text text = readRankedTokens(input.stream, line.inputName, settings.hasHeader,
                               TextLimits::of(settings));
  std::fclose(input.stream);
  input.stream = nullptr;
  std::fprintf(stderr, "Loaded %s (%d word tokens)\n", line.inputName, text.N);
  reportMeasureParameters(settings);
  if (settings.globalTest) std::fputs(runCountWarning(settings).c_str(), stderr);

  const TextProfiles profiles = profileText(engine, settings, std::move(text));
  writeProfiles(profiles, settings, at, outputs);
  outputs.commitAll();

  reportMissingFits(profiles.missing, settings.measures);
  if (settings.globalTest) {
    std::fputs(globalTestSummary(profiles.global, settings).c_str(), stderr);
  }
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
