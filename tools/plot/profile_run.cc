#include "plot/profile_run.h"

#include <filesystem>

namespace tokshuf::plot {

std::optional<std::string> companionPath(const std::string& observedPath,
                                         const std::string& extension) {
  const std::string suffix = ".obs";
  if (observedPath.size() <= suffix.size() ||
      observedPath.compare(observedPath.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return std::nullopt;
  }
  return observedPath.substr(0, observedPath.size() - suffix.size()) + extension;
}

void checkSameChunks(const ProfileTable& observed, const ProfileTable& companion) {
  const std::size_t shared = std::min(observed.rows.size(), companion.rows.size());
  for (std::size_t i = 0; i < shared; ++i) {
    const ProfileRow& mine = companion.rows[i];
    const ProfileRow& theirs = observed.rows[i];
    if (mine.tokens != theirs.tokens) {
      throw ProfileError(companion.path + ":" + std::to_string(mine.line) + ": N is " +
                         std::to_string(mine.tokens) + " but " + observed.path + ":" +
                         std::to_string(theirs.line) + " has " +
                         std::to_string(theirs.tokens) + "; not the same run");
    }
  }
  if (observed.rows.size() != companion.rows.size()) {
    throw ProfileError(companion.path + ":" +
                       std::to_string(companion.rows.back().line) + ": " +
                       std::to_string(companion.rows.size()) + " chunk rows but " +
                       observed.path + " has " + std::to_string(observed.rows.size()) +
                       "; not the same run");
  }
}

namespace {

std::optional<ProfileTable> loadCompanion(const ProfileTable& observed,
                                          const std::string& extension) {
  const std::optional<std::string> path = companionPath(observed.path, extension);
  if (!path || !std::filesystem::exists(*path)) return std::nullopt;
  ProfileTable table = readProfile(*path);
  checkSameChunks(observed, table);
  return table;
}

}  // namespace

ProfileRun loadProfileRun(const std::string& observedPath) {
  ProfileRun run{readProfile(observedPath), {}, {}, {}};
  run.mean = loadCompanion(run.observed, ".mcm");
  run.lower = loadCompanion(run.observed, ".mcl");
  run.upper = loadCompanion(run.observed, ".mch");
  return run;
}

}  // namespace tokshuf::plot
