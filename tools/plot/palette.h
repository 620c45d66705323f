#pragma once

#include <array>

namespace tokshuf::plot {

// One place for the colours, so that the legend matches the panels.
inline constexpr const char* kObservedColour = "#1f5fa8";
inline constexpr const char* kMeanColour = "#444444";
inline constexpr const char* kBandColour = "#f2b880";
inline constexpr const char* kBandOpacity = "0.55";
inline constexpr const char* kOutsideColour = "#d62728";
// The global envelope is an outline around the orange band, in a darker
// shade of it, so that it reads as the band's wider sibling.
inline constexpr const char* kEnvelopeColour = "#8f4700";
inline constexpr const char* kFontFamily = "DejaVu Sans, Helvetica, Arial, sans-serif";
// Measure labels such as lM and lSt must not read as IM and ISt: in a
// monospaced face the l has a tail and the I has bars.
inline constexpr const char* kLabelFontFamily =
    "DejaVu Sans Mono, Menlo, Consolas, Liberation Mono, monospace";

// How one text is drawn. A lone text keeps the blue line on an orange
// band; compared texts each get one colour for line, band and mean.
struct TextStyle {
  const char* line = kObservedColour;
  const char* band = kBandColour;
  const char* bandOpacity = kBandOpacity;
  const char* mean = kMeanColour;
  const char* outsideFill = kOutsideColour;
  const char* outsideStroke = "#ffffff";
  const char* envelope = kEnvelopeColour;
};

// The Okabe-Ito colours, which readers with any common form of colour
// blindness can tell apart; the pale yellow comes last, as it is the
// hardest to see on white.
inline constexpr std::array<const char*, 8> kTextColours = {
    "#0072B2", "#D55E00", "#009E73", "#CC79A7",
    "#E69F00", "#56B4E9", "#000000", "#F0E442"};

inline TextStyle comparedTextStyle(std::size_t index) {
  const char* colour = kTextColours[index % kTextColours.size()];
  TextStyle style;
  style.line = colour;
  style.band = colour;
  style.bandOpacity = "0.16";
  style.mean = colour;
  style.outsideFill = colour;
  style.outsideStroke = "#111111";
  style.envelope = colour;
  return style;
}

}  // namespace tokshuf::plot
