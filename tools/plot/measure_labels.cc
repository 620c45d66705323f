#include "plot/measure_labels.h"

#include <array>

#include "plot/profile_table.h"
#include "schema/profile_schema.h"

namespace tokshuf::plot {

const char* measureDescription(int column) {
  static const std::array<const char*, schema::kMeasureColumns + 1>
      descriptions = {
      "tokens",
      "Yule's K",
      "Simpson's D",
      "word types",
      "types seen once",
      "types seen twice",
      "types seen 3 times",
      "types seen 4 times",
      "types seen 5 times",
      "Guiraud's R",
      "Brunet's W",
      "Sichel's S",
      "Honor\u00e9's H",
      "Herdan's C",
      "entropy",
      "mean log frequency",
      "sd of log frequency",
      "Sichel b",
      "Sichel c",
      "Sichel a1",
      "Zipf size",
      "count of word rank A",
      "count of word rank T",
      "lognormal mean",
      "lognormal sd",
  };
  if (column < 0 || column > schema::kMeasureColumns) return "";
  return descriptions[column];
}

}  // namespace tokshuf::plot

namespace tokshuf::plot {

std::optional<int> columnOfLabel(std::string_view label) {
  for (int column = 1; column <= kMeasureCount; ++column) {
    if (label == kColumnLabels[column]) return column;
  }
  return std::nullopt;
}

std::string measureLabelList() {
  std::string list;
  for (int column = 1; column <= kMeasureCount; ++column) {
    if (column > 1) list += ' ';
    list += kColumnLabels[column];
  }
  return list;
}

}  // namespace tokshuf::plot
