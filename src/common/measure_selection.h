#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/measure_columns.h"

namespace tokshuf {

// The measures a run computes and writes, in the order of the profile
// files' columns. By default the 24 classic measures, in their order.
class MeasureSelection {
 public:
  MeasureSelection();

  // Reads a comma-separated list of measure labels and set names:
  // "classic" (the 24 classic measures), "diversity" (the 14 diversity
  // measures), "all" (both). Sets are expanded where they stand. Throws
  // FatalError naming the option for an unknown or repeated label.
  static MeasureSelection parse(std::string_view list);

  // Number of measures chosen: the profile columns after N.
  int count() const { return int(measures_.size()); }
  // The measure in column `position` (1..count()).
  int measureAt(int position) const { return measures_[position - 1]; }
  // The column of a measure (1..count()), or 0 when it is not chosen.
  int positionOf(int measure) const { return positions_[measure]; }
  bool has(int measure) const { return positions_[measure] != 0; }
  bool hasAnyOf(std::initializer_list<int> measures) const;

  // The header line's labels, "N" first.
  std::vector<const char*> labels() const;

  // What --measures accepts, for messages: the set names and the labels.
  static std::string validNames();

 private:
  void add(int measure, std::string_view list);

  std::vector<int> measures_;
  std::vector<int> positions_ = std::vector<int>(kKnownMeasures + 1, 0);
};

}  // namespace tokshuf
