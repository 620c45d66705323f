#pragma once

#include <cstdio>

namespace tokshuf {

// How the permutation runs are computed. Both engines give byte-identical
// profile files, messages and exit status; only speed differs. The command
// line cannot change these: the tool always uses the defaults, while tests
// and benchmarks pick the engine and the thread count to compare them.
enum class Engine {
  kReference,  // one thread, one shuffle and one measurement after another
  kFast,       // pipelined over threads, with the cheaper exact kernels
};

struct EngineSettings {
  Engine engine = Engine::kFast;
  int threads = defaultThreadCount();
  // Where the progress lines of the permutation runs go; null writes none.
  std::FILE* console = stderr;

  // The number of processor cores, or 1 when it is unknown.
  static int defaultThreadCount();
};

}  // namespace tokshuf
