#pragma once

namespace tokshuf::plot {

// One place for the colours, so that the legend matches the panels.
inline constexpr const char* kObservedColour = "#1f5fa8";
inline constexpr const char* kMeanColour = "#444444";
inline constexpr const char* kBandColour = "#f2b880";
inline constexpr const char* kBandOpacity = "0.55";
inline constexpr const char* kOutsideColour = "#d62728";
inline constexpr const char* kFontFamily = "DejaVu Sans, Helvetica, Arial, sans-serif";

}  // namespace tokshuf::plot
