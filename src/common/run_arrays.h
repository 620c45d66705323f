#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "common/limits.h"
#include "common/measure_columns.h"
#include "common/measure_selection.h"

namespace tokshuf {

// Values of one measure for every run (row 0 = file order, rows 1..nperm =
// permutation runs) at every chunk boundary (1..kMaxChunks).
class RunArray {
 public:
  static constexpr int kChunkSlots = kMaxChunks + 1;

  explicit RunArray(int runs = 0) : values_(std::size_t(runs) * kChunkSlots) {}

  double* operator[](int run) { return &values_[std::size_t(run) * kChunkSlots]; }
  const double* operator[](int run) const {
    return &values_[std::size_t(run) * kChunkSlots];
  }
  bool empty() const { return values_.empty(); }

 private:
  std::vector<double> values_;
};

// One run array per chosen measure, indexed by MeasureColumn; the others
// stay empty. Each run writes only its own row, so runs may fill them
// concurrently.
struct RunArrays {
  // The 24 classic measures.
  explicit RunArrays(int nperm) : RunArrays(nperm, MeasureSelection()) {}
  RunArrays(int nperm, const MeasureSelection& chosen) {
    for (int position = 1; position <= chosen.count(); ++position) {
      columns[chosen.measureAt(position)] = RunArray(nperm + 1);
    }
  }
  RunArray& operator[](int column) { return columns[column]; }
  const RunArray& operator[](int column) const { return columns[column]; }
  bool has(int column) const { return !columns[column].empty(); }

  // Stores a value of run `row` at chunk j, if its measure was chosen.
  void store(int column, int row, int j, double value) {
    if (has(column)) columns[column][row][j] = value;
  }

  std::array<RunArray, kKnownMeasures + 1> columns;
};

}  // namespace tokshuf
