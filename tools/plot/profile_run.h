#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plot/profile_table.h"

namespace tokshuf::plot {

// The profile files of one tokshuf run: the empirical profile and, when the
// run had permutation runs, the Monte Carlo mean and interval bounds.
struct ProfileRun {
  ProfileTable observed;              // TEXT.obs
  std::optional<ProfileTable> mean;   // TEXT.mcm
  std::optional<ProfileTable> lower;  // TEXT.mcl
  std::optional<ProfileTable> upper;  // TEXT.mch
};

// "TEXT.obs" with ".obs" replaced by `extension`, or nothing when the name
// does not end in ".obs" (then there is no run to find companions for).
std::optional<std::string> companionPath(const std::string& observedPath,
                                         const std::string& extension);

// Reads TEXT.obs and whichever of TEXT.mcm, TEXT.mcl and TEXT.mch exist.
ProfileRun loadProfileRun(const std::string& observedPath);

// Reads the runs of several texts in the order given. The same .obs file
// given twice, under any name or through a link, is an error.
std::vector<ProfileRun> loadProfileRuns(const std::vector<std::string>& observedPaths);

// A companion must come from the same run: the same chunks, so the same N
// column row by row. Throws a ProfileError naming the companion's line.
void checkSameChunks(const ProfileTable& observed, const ProfileTable& companion);

}  // namespace tokshuf::plot
