#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "plot/legend.h"
#include "plot/panel.h"
#include "plot/plot_text.h"

namespace tokshuf::plot {

// The drawing data of one measure column of the texts: with one text in
// the lone-text colours, with several each in its own.
PanelData panelData(const std::vector<PlotText>& texts, int column, bool relative);
// The same for one run, its x axis in tokens.
PanelData panelData(const ProfileRun& run, int column);

// Writes the whole picture: a title, a legend, and the 24 panels in a grid
// of 4 columns and 6 rows. With one text the title names its file, chunks
// and tokens; with several the legend names each text in its colour.
// The SVG is self-contained: no stylesheet, font or image is referenced.
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
