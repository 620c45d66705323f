#pragma once

#include <cstddef>
#include <vector>

#include "common/limits.h"

namespace tokshuf {

// One profile: row k is chunk k (1..nchunks), column i the i-th measure
// chosen (1..columns). Row 0 and column 0 carry no data.
class ProfileTable {
 public:
  explicit ProfileTable(int columns = kMeasureColumns)
      : columns_(columns), values_(std::size_t(kMaxChunks + 2) * (columns + 1), 0.0) {}

  double* operator[](int chunk) { return &values_[std::size_t(chunk) * (columns_ + 1)]; }
  const double* operator[](int chunk) const {
    return &values_[std::size_t(chunk) * (columns_ + 1)];
  }
  int columns() const { return columns_; }

 private:
  int columns_;
  std::vector<double> values_;
};

// The four profiles of a run.
struct ProfileTables {
  explicit ProfileTables(int columns = kMeasureColumns)
      : observed(columns), means(columns), lowerBounds(columns), upperBounds(columns) {}
  ProfileTable observed;
  ProfileTable means;
  ProfileTable lowerBounds;
  ProfileTable upperBounds;
};

}  // namespace tokshuf
