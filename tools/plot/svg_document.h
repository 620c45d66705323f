#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "plot/legend.h"
#include "plot/panel.h"
#include "plot/plot_text.h"

namespace tokshuf::plot {

// The drawing data of one measure of the texts: with one text in the
// lone-text colours, with several each in its own; texts without the
// measure are left out.
PanelData panelData(const std::vector<PlotText>& texts, int column, bool relative);
// The same for one run, its x axis in tokens.
PanelData panelData(const ProfileRun& run, int column);

// The measures that get a panel: every column of the texts, in the order
// they first appear.
std::vector<int> panelMeasures(const std::vector<PlotText>& texts);

// Writes the whole picture: a title, a legend, and a panel per measure in
// a grid 4 across and as many rows down as they need (6 for the 24 of a
// default run). With one text the title names its file, chunks and tokens
// (and the combined p of a global test); with several the legend names
// each text in its colour. The SVG is self-contained: no stylesheet, font
// or image is referenced.
void writeGridSvg(std::ostream& out, const std::vector<PlotText>& texts, bool relative);

// The picture of one run, its x axis in tokens.
void writeSvg(std::ostream& out, const ProfileRun& run);

// The start of a picture of the given size: XML declaration, <svg>, its
// <title>, the background and the visible title line. Closed by "</svg>".
// `markup`, when given, is the visible title as SVG text content (with
// measure labels in their own face); `title` is then its plain text.
void writeSvgStart(std::ostream& out, double width, double height, const std::string& title,
                   const std::string& markup = "");

// A measure label as SVG text content in the label face.
std::string labelMarkup(const std::string& label);

// Legend lines naming each text in its colour; empty for a lone text.
std::vector<LegendEntry> textLegend(const std::vector<PlotText>& texts);

}  // namespace tokshuf::plot
