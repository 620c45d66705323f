#include "plot/companion_age.h"

#include <chrono>
#include <filesystem>

namespace tokshuf::plot {
namespace {

// Files of one run are renamed into place within milliseconds; copying
// them keeps them close too. A few seconds leave room for coarse
// file-system clocks.
constexpr std::chrono::seconds kSameRunSlack{5};

}  // namespace

std::vector<std::string> olderCompanions(const ProfileRun& run) {
  namespace fs = std::filesystem;
  std::vector<std::string> older;
  std::error_code error;
  const auto observedTime = fs::last_write_time(run.observed.path, error);
  if (error) return older;
  for (const std::string& companion : companionPaths(run)) {
    const auto time = fs::last_write_time(companion, error);
    if (!error && time + kSameRunSlack < observedTime) older.push_back(companion);
  }
  return older;
}

}  // namespace tokshuf::plot
