#include "montecarlo/engine_settings.h"

#include <thread>

namespace tokshuf {

int EngineSettings::defaultThreadCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : int(cores);
}

}  // namespace tokshuf
