#pragma once

// What tokshuf and its companion programs agree on: the capacities of the
// tool and the columns of its profile files. Header-only, so that every
// program can use it without linking the engine.

#include <array>

namespace tokshuf::schema {

// The longest text tokshuf accepts, and the highest rank (so the most
// word types) in it.
inline constexpr int kMaxTokens = 220000;
inline constexpr int kMaxTypes = 22000;
// The most chunks a text is cut into, so the most rows of a profile file.
inline constexpr int kMaxChunks = 40;

// A profile file has a header line of these labels and one row per chunk:
// column 0 is the token count N of the prefix, columns 1..24 the measures.
inline constexpr int kMeasureColumns = 24;
inline constexpr std::array<const char*, kMeasureColumns + 1> kColumnLabels =
    {"N",  "K",  "D",  "V",  "V1", "V2", "V3",   "V4",     "V5",
     "R",  "W",  "S",  "H",  "C",  "E",  "lM",   "lSt",    "b",
     "c",  "a1", "Z",  "fa", "fthe", "sLmean", "sLstdev"};

}  // namespace tokshuf::schema
