#pragma once

#include <cstdint>
#include <optional>

#include "common/measure_selection.h"

namespace tokshuf {

// The parameters of the diversity measures that have one.
struct MeasureParameters {
  int window = 100;             // MATTR: tokens per moving window
  int segment = 100;            // MSTTR: tokens per segment
  double mtldThreshold = 0.72;  // MTLD and MTLD-MA: the TTR that ends a factor
  int hddDraws = 42;            // HD-D: tokens drawn
};

// Run settings, filled from the command line; the defaults apply when an
// option is absent.
struct Settings {
  int nchunks = 20;
  int nperm = 0;
  int confidenceLevel = 95;  // percent
  int rankA = 4;  // the ranks of the two words whose counts are tracked
  int rankThe = 1;
  bool globalPstar = false;  // the Zipf fit takes p* from the whole text
  bool hasHeader = true;     // the ranked-token file starts with a header
  MeasureSelection measures;      // the profile columns, in order
  MeasureParameters parameters;
  bool writeRuns = false;         // every run's values to TEXT.mcr
  bool globalTest = false;        // the global envelope test per measure
  bool noLimits = false;          // texts of any length and any rank
  // Independent runs from a counter-based stream with this key, instead of
  // the one cumulative stream with its fixed seed.
  std::optional<std::uint64_t> seed;
};

}  // namespace tokshuf
