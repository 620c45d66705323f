#pragma once

#include <array>

#include "common/limits.h"

namespace tokshuf {

// One profile: row k is chunk k (1..nchunks), column i measure column i.
using ProfileTable =
    std::array<std::array<double, kMeasureColumns + 1>, kMaxChunks + 2>;

// The four profiles of a run.
struct ProfileTables {
  ProfileTable tabel_orig{};
  ProfileTable tabel_means{};
  ProfileTable tabel_cilow{};
  ProfileTable tabel_cihigh{};
};

}  // namespace tokshuf
