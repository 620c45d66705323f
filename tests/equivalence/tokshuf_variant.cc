// tokshuf with a chosen permutation engine, for the tests and benchmarks
// that compare the engines. Not installed.
//   tokshuf_variant --engine=reference|fast --threads=N|default [tokshuf arguments]
// Both engine arguments are required and come first; the rest is handed to
// tokshuf unchanged (with this program's name as argv[0]).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/run_driver.h"

namespace {

bool parseEngine(const char* arg, tokshuf::EngineSettings& engine) {
  if (std::strcmp(arg, "--engine=reference") == 0) {
    engine.engine = tokshuf::Engine::kReference;
  } else if (std::strcmp(arg, "--engine=fast") == 0) {
    engine.engine = tokshuf::Engine::kFast;
  } else {
    return false;
  }
  return true;
}

bool parseThreads(const char* arg, tokshuf::EngineSettings& engine) {
  constexpr const char* kPrefix = "--threads=";
  const std::size_t length = std::strlen(kPrefix);
  if (std::strncmp(arg, kPrefix, length) != 0) return false;
  if (std::strcmp(arg + length, "default") == 0) {
    engine.threads = tokshuf::EngineSettings::defaultThreadCount();
    return true;
  }
  char* end = nullptr;
  const long threads = std::strtol(arg + length, &end, 10);
  if (end == arg + length || *end != '\0' || threads < 1 || threads > 1024) {
    return false;
  }
  engine.threads = int(threads);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  tokshuf::EngineSettings engine;
  if (argc < 3 || !parseEngine(argv[1], engine) ||
      !parseThreads(argv[2], engine)) {
    std::fputs(
        "usage: tokshuf_variant --engine=reference|fast --threads=N|default "
        "[tokshuf arguments]\n",
        stderr);
    return 2;
  }
  argv[2] = argv[0];
  return tokshuf::runTokshuf(engine, argc - 2, argv + 2);
}
