#pragma once

#include <array>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "schema/profile_schema.h"

namespace tokshuf::plot {

// A profile file of the default run has the token count N and then these
// 24 classic measures.
inline constexpr int kMeasureCount = schema::kMeasureColumns;
using schema::kColumnLabels;
// Any profile file has N and then any of the known measures, each once.
inline constexpr int kKnownMeasureCount = schema::kKnownMeasures;

// tokshuf cuts a text into at most this many chunks, one row each.
inline constexpr int kMaxChunkRows = schema::kMaxChunks;

// The measures 1 to 24 in their order: the columns of a default run.
std::vector<int> classicMeasures();

// The values are kept by measure, not by column, so that a reader asks for
// K the same way whatever columns the run chose: values[m - 1] is measure
// m (schema numbering). Measures the file does not have stay 0.
struct ProfileRow {
  long long tokens = 0;                              // the N column
  std::array<double, kKnownMeasureCount> values{};   // may hold nan and inf
  std::array<std::string, kKnownMeasureCount> texts; // the values as written
  int line = 0;                                      // where the row was read
};

// One profile file (.obs, .mcm, .mcl, .mch, .mgl or .mgh) of a tokshuf run.
struct ProfileTable {
  std::string path;
  std::vector<ProfileRow> rows;
  std::vector<int> measures = classicMeasures();  // the columns after N, in order

  bool has(int measure) const;
};

// A file that is not a profile file; what() is "FILE:LINE: what is wrong",
// with every byte from the file or its name shown as it may appear in a
// one-line message.
class ProfileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the header line ("N" and the labels of known measures, each once)
// and one row per chunk with a field for each label. `path` names the
// source in messages.
ProfileTable parseProfile(std::istream& in, const std::string& path);
ProfileTable readProfile(const std::string& path);

}  // namespace tokshuf::plot
