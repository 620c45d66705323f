#include "plot/svg_document.h"

#include <filesystem>

#include "plot/palette.h"
#include "plot/svg_format.h"
#include "plot/xml_text.h"

namespace tokshuf::plot {
namespace {

constexpr int kGridColumns = 4;
constexpr double kPanelWidth = 290;
constexpr double kPanelHeight = 190;
constexpr double kMargin = 12;
constexpr double kHeaderHeight = 64;

std::vector<double> columnOf(const ProfileTable& table, int column) {
  std::vector<double> values;
  for (const ProfileRow& row : table.rows) values.push_back(row.values[column - 1]);
  return values;
}

std::vector<double> columnOf(const std::optional<ProfileTable>& table, int column) {
  return table ? columnOf(*table, column) : std::vector<double>{};
}

std::string titleOf(const ProfileRun& run) {
  const std::string name = std::filesystem::path(run.observed.path).filename().string();
  const std::size_t chunks = run.observed.rows.size();
  std::string title = name + " \u2014 " + std::to_string(chunks) +
                      (chunks == 1 ? " chunk, " : " chunks, ") +
                      std::to_string(run.observed.rows.back().tokens) + " tokens";
  return title;
}

void writeLegendEntry(std::ostream& out, double x, double y, const std::string& symbol,
                      const std::string& text) {
  out << "<g class=\"legend-entry\" transform=\"translate(" << coord(x) << " " << coord(y)
      << ")\">" << symbol << "<text x=\"30\" y=\"4\" font-size=\"11\" fill=\"#222222\">"
      << xmlEscape(text) << "</text></g>\n";
}

void writeLegend(std::ostream& out, const ProfileRun& run, double y) {
  const bool hasBand = run.lower && run.upper;
  out << "<g class=\"legend\" font-family=\"" << kFontFamily << "\">\n";
  double x = kMargin + 4;
  writeLegendEntry(out, x, y,
                   std::string("<path d=\"M0,0 L24,0\" stroke=\"") + kObservedColour +
                       "\" stroke-width=\"1.4\"/><circle cx=\"12\" cy=\"0\" r=\"2.2\" fill=\"" +
                       kObservedColour + "\"/>",
                   "empirical profile (.obs)");
  x += 210;
  if (run.mean) {
    writeLegendEntry(out, x, y,
                     std::string("<path d=\"M0,0 L24,0\" stroke=\"") + kMeanColour +
                         "\" stroke-width=\"1.2\" stroke-dasharray=\"4 3\"/>",
                     "Monte Carlo mean (.mcm)");
    x += 210;
  }
  if (hasBand) {
    writeLegendEntry(out, x, y,
                     std::string("<rect x=\"0\" y=\"-5\" width=\"24\" height=\"10\" fill=\"") +
                         kBandColour + "\" fill-opacity=\"" + kBandOpacity + "\"/>",
                     "interval from .mcl to .mch");
    x += 210;
    writeLegendEntry(out, x, y,
                     std::string("<circle cx=\"12\" cy=\"0\" r=\"3.4\" fill=\"") +
                         kOutsideColour + "\"/>",
                     "empirical value outside the interval");
  }
  if (!run.mean && !hasBand) {
    writeLegendEntry(out, x, y, "", "no Monte Carlo files beside the .obs file");
  }
  out << "</g>\n";
}

}  // namespace

PanelData panelData(const ProfileRun& run, int column) {
  PanelData data;
  data.column = column;
  for (const ProfileRow& row : run.observed.rows) {
    data.tokens.push_back(static_cast<double>(row.tokens));
  }
  data.observed = columnOf(run.observed, column);
  data.mean = columnOf(run.mean, column);
  data.lower = columnOf(run.lower, column);
  data.upper = columnOf(run.upper, column);
  return data;
}

void writeSvg(std::ostream& out, const ProfileRun& run) {
  const int gridRows = (kMeasureCount + kGridColumns - 1) / kGridColumns;
  const double width = 2 * kMargin + kGridColumns * kPanelWidth;
  const double height = kHeaderHeight + gridRows * kPanelHeight + kMargin;
  const std::string title = xmlEscape(titleOf(run));
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << coord(width)
      << "\" height=\"" << coord(height) << "\" viewBox=\"0 0 " << coord(width) << " "
      << coord(height) << "\">\n"
      << "<title>" << title << "</title>\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#fafafa\"/>\n"
      << "<text class=\"title\" x=\"" << coord(kMargin + 4) << "\" y=\"26\" font-size=\"17\" "
      << "font-weight=\"bold\" font-family=\"" << kFontFamily << "\" fill=\"#111111\">" << title << "</text>\n";
  writeLegend(out, run, 48);
  for (int column = 1; column <= kMeasureCount; ++column) {
    const int index = column - 1;
    const Box box{kMargin + (index % kGridColumns) * kPanelWidth,
                  kHeaderHeight + (index / kGridColumns) * kPanelHeight, kPanelWidth,
                  kPanelHeight};
    writePanel(out, panelData(run, column), box);
  }
  out << "</svg>\n";
}

}  // namespace tokshuf::plot
