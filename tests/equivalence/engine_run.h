#pragma once

#include <string>
#include <vector>

namespace tokshuf::equivalence {

// Everything a run of the program leaves behind that a user can see.
struct RunResult {
  int exitStatus = -1;
  std::string console;  // standard error, byte for byte
  // The output files (.obs, .mcm, .mcl, .mch, then .mcr, .mgl, .mgh and
  // .mgt) after the run; a file that was not there reads as "<absent>".
  std::vector<std::string> profiles;
};

// Runs the engine variant on input (a ranked-token file whose name ends in
// ".zvc") with the given tokshuf arguments. Before the run each profile
// file is replaced by a sentinel line, so a run that should leave the files
// alone can be checked too.
RunResult runVariant(const std::string& engine, const std::string& threads,
                     const std::vector<std::string>& arguments,
                     const std::string& input);

}  // namespace tokshuf::equivalence
