#pragma once

// What tokshuf and its companion programs agree on: the capacities of the
// tool and the columns of its profile files. Header-only, so that every
// program can use it without linking the engine.

#include <array>
#include <optional>
#include <string_view>

namespace tokshuf::schema {

// The longest text tokshuf accepts, and the highest rank (so the most
// word types) in it, unless it is told to take texts of any length.
inline constexpr int kMaxTokens = 220000;
inline constexpr int kMaxTypes = 22000;
// The most chunks a text is cut into, so the most rows of a profile file.
inline constexpr int kMaxChunks = 40;

// A profile file has a header line of labels and one row per chunk: column
// 0 is the token count N of the prefix, the others are measures. By default
// the measures are the 24 classic ones, in this order.
inline constexpr int kMeasureColumns = 24;
inline constexpr std::array<const char*, kMeasureColumns + 1> kColumnLabels =
    {"N",  "K",  "D",  "V",  "V1", "V2", "V3",   "V4",     "V5",
     "R",  "W",  "S",  "H",  "C",  "E",  "lM",   "lSt",    "b",
     "c",  "a1", "Z",  "fa", "fthe", "sLmean", "sLstdev"};

// The lexical diversity measures that can be chosen besides (or instead
// of) the classic ones, in the order of the set "diversity".
inline constexpr int kDiversityColumns = 14;
inline constexpr std::array<const char*, kDiversityColumns> kDiversityLabels = {
    "TTR", "CTTR", "Maas", "lgV0", "U",     "Summer", "I",
    "Vm",  "HDD",  "vocdD", "MATTR", "MSTTR", "MTLD", "MTLDMA"};

// Every measure a profile file may hold, identified by a number: 1..24 the
// classic columns in their order, 25..38 the diversity columns.
inline constexpr int kKnownMeasures = kMeasureColumns + kDiversityColumns;

inline constexpr const char* measureLabel(int measure) {
  return measure <= kMeasureColumns ? kColumnLabels[measure]
                                    : kDiversityLabels[measure - kMeasureColumns - 1];
}

// The measure with this header label, if it is one.
inline std::optional<int> measureOfLabel(std::string_view label) {
  for (int measure = 1; measure <= kKnownMeasures; ++measure) {
    if (label == measureLabel(measure)) return measure;
  }
  return std::nullopt;
}

// The four columns whose fit can fail: a failed fit is written as 0, and the
// Monte Carlo summaries leave those zeros out.
inline constexpr bool isFittedMeasure(int measure) { return measure >= 17 && measure <= 20; }

}  // namespace tokshuf::schema
