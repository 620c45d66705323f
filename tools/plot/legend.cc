#include "plot/legend.h"

#include "plot/palette.h"
#include "plot/svg_format.h"
#include "plot/xml_text.h"

namespace tokshuf::plot {
namespace {

constexpr double kLineHeight = 20;
constexpr double kSymbolWidth = 30;
constexpr double kEntryGap = 26;
// An 11 px sans-serif letter is about 6.2 px wide on average; the legend
// is laid out on that estimate, since the SVG cannot measure its text.
constexpr double kAverageLetterWidth = 6.2;

double entryWidth(const LegendEntry& entry) {
  std::size_t letters = 0;
  for (unsigned char c : entry.text) letters += (c & 0xC0) != 0x80;  // UTF-8 lead bytes
  return kSymbolWidth + static_cast<double>(letters) * kAverageLetterWidth + kEntryGap;
}

}  // namespace

double writeLegend(std::ostream& out, const std::vector<std::vector<LegendEntry>>& groups,
                   double x, double top, double width) {
  out << "<g class=\"legend\" font-family=\"" << kFontFamily << "\">\n";
  double y = top;
  for (const auto& group : groups) {
    if (group.empty()) continue;
    double at = x;
    for (const LegendEntry& entry : group) {
      const double w = entryWidth(entry);
      if (at > x && at + w - kEntryGap > x + width) {
        at = x;
        y += kLineHeight;
      }
      out << "<g class=\"legend-entry\" transform=\"translate(" << coord(at) << " "
          << coord(y) << ")\">" << entry.symbol
          << "<text x=\"30\" y=\"4\" font-size=\"11\" fill=\"#222222\">"
          << xmlEscape(entry.text) << "</text></g>\n";
      at += w;
    }
    y += kLineHeight;
  }
  out << "</g>\n";
  return y - kLineHeight / 2;
}

std::string lineSymbol(const char* colour, bool dashed, bool withPoint) {
  std::string symbol = std::string("<path d=\"M0,0 L24,0\" fill=\"none\" stroke=\"") + colour +
                       "\" stroke-width=\"" + (dashed ? "1.2" : "1.4") + "\"" +
                       (dashed ? " stroke-dasharray=\"4 3\"" : "") + "/>";
  if (withPoint) {
    symbol += std::string("<circle cx=\"12\" cy=\"0\" r=\"2.2\" fill=\"") + colour + "\"/>";
  }
  return symbol;
}

std::string bandSymbol(const char* colour, const char* opacity) {
  return std::string("<rect x=\"0\" y=\"-5\" width=\"24\" height=\"10\" fill=\"") + colour +
         "\" fill-opacity=\"" + opacity + "\"/>";
}

std::string pointSymbol(const char* fill, const char* stroke, double radius) {
  return "<circle cx=\"12\" cy=\"0\" r=\"" + coord(radius) + "\" fill=\"" + fill +
         "\" stroke=\"" + stroke + "\" stroke-width=\"1\"/>";
}

// The same dotted outline and square as in the panels.
std::string envelopeSymbol(const char* colour) {
  return std::string("<rect x=\"0\" y=\"-6\" width=\"24\" height=\"12\" fill=\"none\"") +
         " stroke=\"" + colour + "\" stroke-width=\"1.3\" stroke-dasharray=\"1.5 2\"/>";
}

std::string squareSymbol(const char* fill, const char* stroke) {
  return std::string("<rect x=\"8.5\" y=\"-3.5\" width=\"7\" height=\"7\" fill=\"") +
         fill + "\" stroke=\"" + stroke + "\" stroke-width=\"1\"/>";
}

}  // namespace tokshuf::plot
