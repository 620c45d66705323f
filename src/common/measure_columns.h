#pragma once

#include "common/limits.h"

namespace tokshuf {

// The 24 measure columns of a profile, by index; each names the run array
// that feeds it. Column 0 is the token count N, printed from the chunk
// boundaries.
enum MeasureColumn : int {
  kColumnK = 1,
  kColumnD,
  kColumnV,
  kColumnV1,
  kColumnV2,
  kColumnV3,
  kColumnV4,
  kColumnV5,
  kColumnR,
  kColumnW,
  kColumnS,
  kColumnH,
  kColumnC,
  kColumnE,
  kColumnLogMean,
  kColumnLogStdDev,
  kColumnSichelB,
  kColumnSichelC,
  kColumnSichelA1,
  kColumnZ,
  kColumnFa,
  kColumnFthe,
  kColumnLognormalMean,
  kColumnLognormalStdDev,
};
static_assert(kColumnLognormalStdDev == kMeasureColumns);

// The fitted columns record a failed fit as 0; their Monte Carlo summaries
// leave those zeros out.
inline constexpr bool isFitColumn(int column) {
  return column >= kColumnSichelB && column <= kColumnZ;
}

}  // namespace tokshuf
