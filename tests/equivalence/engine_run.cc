#include "engine_run.h"

#include "support/files.h"
#include "support/process.h"

namespace tokshuf::equivalence {
namespace {

constexpr const char* kExtensions[] = {".obs", ".mcm", ".mcl", ".mch",
                                       ".mcr", ".mgl", ".mgh", ".mgt"};
constexpr const char* kSentinel = "left from an earlier run\n";

std::string base(const std::string& input) {
  return input.substr(0, input.size() - 4);
}

std::string readProfile(const std::string& path) {
  return test::fileExists(path) ? test::readFile(path) : "<absent>";
}

}  // namespace

RunResult runVariant(const std::string& engine, const std::string& threads,
                     const std::vector<std::string>& arguments,
                     const std::string& input) {
  for (const char* extension : kExtensions) {
    test::writeFile(base(input) + extension, kSentinel);
  }
  test::ProcessOptions options;
  options.args = {"--engine=" + engine, "--threads=" + threads};
  options.args.insert(options.args.end(), arguments.begin(), arguments.end());
  options.args.push_back(input);
  const test::ProcessResult process =
      test::runProcess(TOKSHUF_VARIANT, options);

  RunResult result;
  result.exitStatus = process.exited ? process.exitCode : 128 + process.signal;
  result.console = process.err;
  for (const char* extension : kExtensions) {
    result.profiles.push_back(readProfile(base(input) + extension));
  }
  return result;
}

}  // namespace tokshuf::equivalence
