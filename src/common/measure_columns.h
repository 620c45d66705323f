#pragma once

#include "common/limits.h"

namespace tokshuf {

// The 24 measure columns of a profile, by index; each names the run array
// that feeds it. Column 0 is the token count N, printed from the chunk
// boundaries.
enum MeasureColumn : int {
  K_CONST = 1,
  D_CONST,
  V_CONST,
  V1_CONST,
  V2_CONST,
  V3_CONST,
  V4_CONST,
  V5_CONST,
  R_CONST,
  W_CONST,
  S_CONST,
  H_CONST,
  C_CONST,
  E_CONST,
  logM_CONST,
  logSt_CONST,
  Sb_CONST,
  Sc_CONST,
  Sa1_CONST,
  Z_CONST,
  A_FREQ,
  THE_FREQ,
  SMEAN_CONST,
  SSTDEV_CONST,
};
static_assert(SSTDEV_CONST == kMeasureColumns);

inline constexpr const char* kProfileHeader =
    "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean "
    "sLstdev\n";

// The fitted columns record a failed fit as 0; their Monte Carlo summaries
// leave those zeros out.
inline constexpr bool isFitColumn(int column) {
  return column >= Sb_CONST && column <= Z_CONST;
}

}  // namespace tokshuf
