#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "common/limits.h"
#include "common/measure_columns.h"

namespace tokshuf {

// Values of one measure for every run (row 0 = file order, rows 1..nperm =
// permutation runs) at every chunk boundary (1..kMaxChunks).
class RunArray {
 public:
  static constexpr int kChunkSlots = kMaxChunks + 1;

  explicit RunArray(int runs = 1) : values_(std::size_t(runs) * kChunkSlots) {}

  double* operator[](int run) { return &values_[std::size_t(run) * kChunkSlots]; }
  const double* operator[](int run) const {
    return &values_[std::size_t(run) * kChunkSlots];
  }

 private:
  std::vector<double> values_;
};

// One run array per measure column, indexed by MeasureColumn (1..24); each
// run writes only its own row, so runs may fill them concurrently.
struct RunArrays {
  explicit RunArrays(int nperm) {
    for (auto& column : columns) column = RunArray(nperm + 1);
  }
  RunArray& operator[](int column) { return columns[column]; }
  const RunArray& operator[](int column) const { return columns[column]; }

  std::array<RunArray, kMeasureColumns + 1> columns;
};

}  // namespace tokshuf
