#pragma once

#include "common/limits.h"

namespace tokshuf {

// The measures a profile can hold, by number; each names the run array that
// feeds it. 1..24 are the classic columns (the default profile, in this
// order), 25..38 the diversity columns. Column 0 of a profile is the token
// count N, printed from the chunk boundaries.
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
  kColumnTTR,
  kColumnCTTR,
  kColumnMaas,
  kColumnLgV0,
  kColumnU,
  kColumnSummer,
  kColumnI,
  kColumnVm,
  kColumnHDD,
  kColumnVocdD,
  kColumnMATTR,
  kColumnMSTTR,
  kColumnMTLD,
  kColumnMTLDMA,
};
static_assert(kColumnLognormalStdDev == kMeasureColumns);
static_assert(kColumnMTLDMA == kKnownMeasures);

// The fitted columns record a failed fit as 0; their Monte Carlo summaries
// leave those zeros out.
inline constexpr bool isFitColumn(int column) {
  return column >= kColumnSichelB && column <= kColumnZ;
}
static_assert(schema::isFittedMeasure(kColumnSichelB) && schema::isFittedMeasure(kColumnZ) &&
              !schema::isFittedMeasure(kColumnS) && !schema::isFittedMeasure(kColumnFa));

// The measures that depend on where each token stands, not only on the
// frequency spectrum of the prefix.
inline constexpr bool isWindowMeasure(int measure) {
  return measure >= kColumnMATTR && measure <= kColumnMTLDMA;
}

}  // namespace tokshuf
