#include "plot/profile_run.h"

#include <sys/stat.h>

#include <filesystem>

#include "util/printable.h"

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
      throw ProfileError(util::printable(companion.path) + ":" + std::to_string(mine.line) +
                         ": N is " + std::to_string(mine.tokens) + " but " +
                         util::printable(observed.path) + ":" + std::to_string(theirs.line) +
                         " has " + std::to_string(theirs.tokens) + "; not the same run");
    }
  }
  if (observed.rows.size() != companion.rows.size()) {
    throw ProfileError(util::printable(companion.path) + ":" +
                       std::to_string(companion.rows.back().line) + ": " +
                       std::to_string(companion.rows.size()) + " chunk rows but " +
                       util::printable(observed.path) + " has " +
                       std::to_string(observed.rows.size()) + "; not the same run");
  }
}

void checkSameColumns(const ProfileTable& observed, const ProfileTable& companion) {
  if (companion.measures == observed.measures) return;
  throw ProfileError(util::printable(companion.path) + ":1: the header differs from " +
                     util::printable(observed.path) + ":1; not the same run");
}

std::vector<std::string> companionPaths(const ProfileRun& run) {
  std::vector<std::string> paths;
  for (const auto* table :
       {&run.mean, &run.lower, &run.upper, &run.globalLower, &run.globalUpper}) {
    if (*table) paths.push_back((*table)->path);
  }
  if (run.globalTest) paths.push_back(run.globalTest->path);
  return paths;
}

namespace {

// Whatever keeps the question open (a search permission, a loop of links)
// is left for reading the file to report.
bool mayExist(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error) || error;
}

std::optional<ProfileTable> loadCompanion(const ProfileTable& observed,
                                          const std::string& extension) {
  const std::optional<std::string> path = companionPath(observed.path, extension);
  if (!path || !mayExist(*path)) return std::nullopt;
  ProfileTable table = readProfile(*path);
  checkSameColumns(observed, table);
  checkSameChunks(observed, table);
  return table;
}

std::optional<GlobalTest> loadGlobalTest(const ProfileTable& observed) {
  const std::optional<std::string> path = companionPath(observed.path, ".mgt");
  if (!path || !mayExist(*path)) return std::nullopt;
  return readGlobalTest(*path, observed);
}

}  // namespace

ProfileRun loadProfileRun(const std::string& observedPath) {
  ProfileRun run{readProfile(observedPath), {}, {}, {}};
  run.mean = loadCompanion(run.observed, ".mcm");
  run.lower = loadCompanion(run.observed, ".mcl");
  run.upper = loadCompanion(run.observed, ".mch");
  run.globalLower = loadCompanion(run.observed, ".mgl");
  run.globalUpper = loadCompanion(run.observed, ".mgh");
  run.globalTest = loadGlobalTest(run.observed);
  return run;
}

std::vector<ProfileRun> loadProfileRuns(const std::vector<std::string>& observedPaths) {
  struct Identity {
    dev_t device;
    ino_t inode;
    const std::string* path;
  };
  std::vector<ProfileRun> runs;
  std::vector<Identity> seen;
  for (const std::string& path : observedPaths) {
    runs.push_back(loadProfileRun(path));
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) continue;  // it was just read; a race
    for (const Identity& earlier : seen) {
      if (earlier.device == status.st_dev && earlier.inode == status.st_ino) {
        throw ProfileError(util::printable(path) + " and " + util::printable(*earlier.path) +
                           " are the same file; give each text once");
      }
    }
    seen.push_back({status.st_dev, status.st_ino, &path});
  }
  return runs;
}

}  // namespace tokshuf::plot
