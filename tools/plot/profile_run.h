#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plot/global_test.h"
#include "plot/profile_table.h"

namespace tokshuf::plot {

// The profile files of one tokshuf run: the empirical profile and, when the
// run had permutation runs, the Monte Carlo mean and pointwise interval
// bounds, and, when it also ran the global envelope test, the envelope's
// bounds and the test's p-values.
struct ProfileRun {
  ProfileTable observed;                    // TEXT.obs
  std::optional<ProfileTable> mean;         // TEXT.mcm
  std::optional<ProfileTable> lower;        // TEXT.mcl
  std::optional<ProfileTable> upper;        // TEXT.mch
  // Initialised here, so that a run built from the first four alone
  // (as before the global test existed) needs no more braces.
  std::optional<ProfileTable> globalLower{};  // TEXT.mgl
  std::optional<ProfileTable> globalUpper{};  // TEXT.mgh
  std::optional<GlobalTest> globalTest{};     // TEXT.mgt

  bool hasGlobalTest() const { return globalLower || globalUpper || globalTest; }
};

// The extensions of the files that may lie beside TEXT.obs, in the order
// they are read.
inline constexpr const char* kCompanionExtensions[] = {".mcm", ".mcl", ".mch",
                                                       ".mgl", ".mgh", ".mgt"};

// The paths of the companion files that were read.
std::vector<std::string> companionPaths(const ProfileRun& run);

// "TEXT.obs" with ".obs" replaced by `extension`, or nothing when the name
// does not end in ".obs" (then there is no run to find companions for).
std::optional<std::string> companionPath(const std::string& observedPath,
                                         const std::string& extension);

// Reads TEXT.obs and whichever of its companions exist.
ProfileRun loadProfileRun(const std::string& observedPath);

// Reads the runs of several texts in the order given. The same .obs file
// given twice, under any name or through a link, is an error.
std::vector<ProfileRun> loadProfileRuns(const std::vector<std::string>& observedPaths);

// A companion must come from the same run: the same chunks, so the same N
// column row by row. Throws a ProfileError naming the companion's line.
void checkSameChunks(const ProfileTable& observed, const ProfileTable& companion);

// ...and the same columns: every file of a run has the header of its
// .obs. Throws a ProfileError naming the companion's line 1.
void checkSameColumns(const ProfileTable& observed, const ProfileTable& companion);

}  // namespace tokshuf::plot
