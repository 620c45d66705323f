#pragma once

#include <ostream>
#include <string>

#include "plot/panel.h"
#include "plot/profile_run.h"

namespace tokshuf::plot {

// The drawing data of one measure column of a run.
PanelData panelData(const ProfileRun& run, int column);

// Writes the whole picture: a title with the input name and the chunk
// count, a legend, and the 24 panels in a grid of 4 columns and 6 rows.
// The SVG is self-contained: no stylesheet, font or image is referenced.
void writeSvg(std::ostream& out, const ProfileRun& run);

}  // namespace tokshuf::plot
