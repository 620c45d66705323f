#pragma once

#include <array>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tokshuf::plot {

// Every profile file has the token count N and then these 24 measures.
inline constexpr int kMeasureCount = 24;
extern const std::array<const char*, kMeasureCount + 1> kColumnLabels;

struct ProfileRow {
  long long tokens = 0;                       // the N column
  std::array<double, kMeasureCount> values{}; // may hold nan and inf
  int line = 0;                               // where the row was read
};

// One profile file (.obs, .mcm, .mcl or .mch) of a tokshuf run.
struct ProfileTable {
  std::string path;
  std::vector<ProfileRow> rows;
};

// A file that is not a profile file; what() is "FILE:LINE: what is wrong".
class ProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the header line and one row of 25 fields per chunk. `path` names
// the source in messages.
ProfileTable parseProfile(std::istream& in, const std::string& path);
ProfileTable readProfile(const std::string& path);

}  // namespace tokshuf::plot
