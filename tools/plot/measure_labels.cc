#include "plot/measure_labels.h"

#include <array>

#include "schema/profile_schema.h"

namespace tokshuf::plot {

const char* measureDescription(int measure) {
  // The parameters of the diversity measures (window, segment, draws,
  // threshold) are options of the run and not in its files, so the
  // captions leave them out.
  static const std::array<const char*, schema::kKnownMeasures + 1> descriptions = {
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
      "type-token ratio",
      "Carroll's corrected TTR",
      "Maas's a",
      "Maas's lg V0",
      "Dugast's U",
      "Summer's S",
      "Yule's I",
      "Herdan's Vm",
      "HD-D",
      "vocd-D",
      "moving-average TTR",
      "mean segmental TTR",
      "MTLD",
      "moving-avg. MTLD",
  };
  if (measure < 0 || measure > schema::kKnownMeasures) return "";
  return descriptions[measure];
}

std::string captionDescription(int measure) {
  const std::string words = measureDescription(measure);
  if (measure >= 1 && measure <= schema::kKnownMeasures && words == schema::measureLabel(measure)) {
    return "";
  }
  return words;
}

std::optional<int> columnOfLabel(std::string_view label) {
  return schema::measureOfLabel(label);
}

std::string measureLabelList() {
  std::string list;
  for (int measure = 1; measure <= schema::kMeasureColumns; ++measure) {
    if (measure > 1) list += ' ';
    list += schema::measureLabel(measure);
  }
  return list;
}

}  // namespace tokshuf::plot
