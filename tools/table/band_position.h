#pragma once

#include <optional>

namespace tokshuf::table {

// Where an observed value lies relative to the Monte Carlo interval.
enum class BandPosition { kBelow, kInside, kAbove };

// The position of `value` in the band from `lower` to `upper` (bounds
// included), or nothing when any of the three is not finite.
std::optional<BandPosition> bandPosition(double value, double lower, double upper);

// "below", "inside" or "above".
const char* bandPositionName(BandPosition position);

}  // namespace tokshuf::table
