#pragma once

#include <string>
#include <vector>

#include "plot/profile_run.h"

namespace tokshuf::plot {

// tokshuf writes all files of a run together at its end, but a run without
// permutations leaves the Monte Carlo files of an earlier run in place.
// Such a leftover can have the same N column and pass every check, so the
// only sign is its age: the companions of the run that was read and that
// are clearly older than the .obs file.
std::vector<std::string> olderCompanions(const ProfileRun& run);

}  // namespace tokshuf::plot
