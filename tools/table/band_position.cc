#include "table/band_position.h"

#include <cmath>

namespace tokshuf::table {

std::optional<BandPosition> bandPosition(double value, double lower, double upper) {
  if (!std::isfinite(value) || !std::isfinite(lower) || !std::isfinite(upper)) {
    return std::nullopt;
  }
  if (value < lower) return BandPosition::kBelow;
  if (value > upper) return BandPosition::kAbove;
  return BandPosition::kInside;
}

const char* bandPositionName(BandPosition position) {
  switch (position) {
    case BandPosition::kBelow: return "below";
    case BandPosition::kInside: return "inside";
    case BandPosition::kAbove: return "above";
  }
  return "";
}

}  // namespace tokshuf::table
