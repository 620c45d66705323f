#pragma once

#include <istream>
#include <string>
#include <vector>

#include "plot/profile_table.h"

namespace tokshuf::plot {

// One row of TEXT.mgt: a measure's global envelope test. The chunk lists
// are kept as written ("none", or chunk numbers and ranges such as
// "1-17,19"); the companions recompute positions from .mgl and .mgh.
struct GlobalTestRow {
  int measure = 0;     // schema numbering; 0 in the closing row "all"
  double p = 0;        // nan when no chunk was left to test
  std::string pText;   // p as written, with its decimals
  std::string below;
  std::string above;
  std::string leftOut;
};

// TEXT.mgt: a row per profile column, in the columns' order, then the
// combined test over all measures.
struct GlobalTest {
  std::string path;
  std::vector<GlobalTestRow> measures;
  GlobalTestRow all;

  // The row of `measure`, or nullptr when the file has none.
  const GlobalTestRow* find(int measure) const;
};

// Reads TEXT.mgt, whose measures must be those of `observed`, in its
// order. Throws a ProfileError naming the file and line.
GlobalTest parseGlobalTest(std::istream& in, const std::string& path,
                           const ProfileTable& observed);
GlobalTest readGlobalTest(const std::string& path, const ProfileTable& observed);

}  // namespace tokshuf::plot
