// tokshuf-table: the profile files of any number of tokshuf runs in, one
// CSV table out.

#include <csignal>
#include <cstdio>
#include <iostream>
#include <new>
#include <sstream>

#include "plot/companion_age.h"
#include "plot/profile_run.h"
#include "table/profile_csv.h"
#include "table/table_options.h"
#include "util/file_output_stream.h"
#include "util/output_set.h"
#include "util/printable.h"
#include "util/standard_descriptors.h"
#include "util/version.h"

namespace {

using namespace tokshuf;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Text for standard output, which is written directly; a failed write (a
// full disk, a closed pipe) is an error like any other.
void writeStandardOutput(const std::string& text) {
  std::cout << text << std::flush;
  if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
    throw Failure("cannot write standard output");
  }
}

void warnAboutOlderCompanions(const std::vector<plot::ProfileRun>& runs) {
  for (const plot::ProfileRun& run : runs) {
    for (const std::string& path : plot::olderCompanions(run)) {
      std::cerr << "tokshuf-table: warning: " << util::printable(path) << " is older than "
                << util::printable(run.observed.path) << "; it may be left from an earlier run\n";
    }
  }
}

long long writeTable(std::ostream& out, const table::TableOptions& options,
                     const std::vector<plot::ProfileRun>& runs) {
  return options.summary ? table::writeSummaryTable(out, runs) : table::writeLongTable(out, runs);
}

// Every file read is protected: the table may not replace any of them.
void protectInputs(util::OutputSet& outputs, const std::vector<plot::ProfileRun>& runs) {
  for (const plot::ProfileRun& run : runs) {
    outputs.protect(run.observed.path);
    for (const std::string& companion : plot::companionPaths(run)) outputs.protect(companion);
  }
}

int run(int argc, char** argv) {
  const table::TableOptions options =
      table::parseTableOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (options.showHelp) {
    writeStandardOutput(table::kTableUsage);
    return 0;
  }
  if (options.showVersion) {
    writeStandardOutput(std::string("tokshuf-table ") + util::kVersion + "\n");
    return 0;
  }
  // Everything is read and checked before the output is created, so a bad
  // file never leaves a half-written table behind.
  const std::vector<plot::ProfileRun> runs = plot::loadProfileRuns(options.inputs);
  warnAboutOlderCompanions(runs);
  if (options.output.empty() || options.output == "-") {
    std::ostringstream text;
    writeTable(text, options, runs);
    writeStandardOutput(text.str());
    return 0;
  }
  util::OutputSet outputs;
  protectInputs(outputs, runs);
  const int index = outputs.add(options.output);
  util::FileOutputStream out(outputs.stream(index));
  const long long rows = writeTable(out, options, runs);
  out.flush();
  outputs.commit();
  std::cerr << "Wrote " << util::printable(options.output) << " (" << rows
            << (rows == 1 ? " row" : " rows") << ", " << runs.size()
            << (runs.size() == 1 ? " text)" : " texts)") << '\n';
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  tokshuf::util::ensureStandardDescriptors();
  // A file-size limit makes a write fail, reported as such, instead of
  // ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::cerr << "tokshuf-table: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "tokshuf-table: " << e.what() << '\n';
  }
  return 1;
}
