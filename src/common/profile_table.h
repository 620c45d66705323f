#pragma once

#include <array>

#include "common/limits.h"

namespace tokshuf {

// One profile: row k is chunk k (1..nchunks), column i measure column i.
using ProfileTable =
    std::array<std::array<double, kMeasureColumns + 1>, kMaxChunks + 2>;

// The four profiles of a run.
struct ProfileTables {
  ProfileTable observed{};
  ProfileTable means{};
  ProfileTable lowerBounds{};
  ProfileTable upperBounds{};
};

}  // namespace tokshuf
