#pragma once

#include <array>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "schema/profile_schema.h"

namespace tokshuf::plot {

// Every profile file has the token count N and then these 24 measures.
inline constexpr int kMeasureCount = schema::kMeasureColumns;
using schema::kColumnLabels;

// tokshuf cuts a text into at most this many chunks, one row each.
inline constexpr int kMaxChunkRows = schema::kMaxChunks;

struct ProfileRow {
  long long tokens = 0;                           // the N column
  std::array<double, kMeasureCount> values{};     // may hold nan and inf
  std::array<std::string, kMeasureCount> texts;   // the values as written
  int line = 0;                                   // where the row was read
};

// One profile file (.obs, .mcm, .mcl or .mch) of a tokshuf run.
struct ProfileTable {
  std::string path;
  std::vector<ProfileRow> rows;
};

// A file that is not a profile file; what() is "FILE:LINE: what is wrong",
// with every byte from the file or its name shown as it may appear in a
// one-line message.
class ProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the header line and one row of 25 fields per chunk. `path` names
// the source in messages.
ProfileTable parseProfile(std::istream& in, const std::string& path);
ProfileTable readProfile(const std::string& path);

}  // namespace tokshuf::plot
