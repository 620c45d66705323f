#include "plot/svg_document.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "plot/palette.h"
#include "plot/svg_format.h"
#include "plot/xml_text.h"

namespace tokshuf::plot {
namespace {

constexpr int kGridColumns = 4;
constexpr double kPanelWidth = 300;
constexpr double kPanelHeight = 200;
constexpr double kMargin = 12;
constexpr double kLegendTop = 48;

std::vector<double> columnOf(const std::optional<ProfileTable>& table, int column) {
  return table ? measureColumn(*table, column) : std::vector<double>{};
}

// ", global p = 0.0002 over all measures" where the run has a global test.
std::string combinedP(const ProfileRun& run) {
  if (!run.globalTest) return "";
  return ", global p = " + run.globalTest->all.pText + " over all measures";
}

std::string titleOf(const std::vector<PlotText>& texts) {
  if (texts.size() == 1) {
    const ProfileRun& run = texts[0].run;
    return std::filesystem::path(run.observed.path).filename().string() + " \u2014 " +
           chunkSummary(run) + combinedP(run);
  }
  std::string title = std::to_string(texts.size()) + " texts: ";
  for (std::size_t i = 0; i < texts.size(); ++i) title += (i ? ", " : "") + texts[i].name;
  return title;
}

bool hasEnvelope(const ProfileRun& run) { return run.globalLower && run.globalUpper; }

// With a global envelope beside it, the interval needs the name that tells
// it from the envelope: it holds chunk by chunk, the envelope for the
// whole curve at once. The level of either is not in the files.
const char* bandName(bool withEnvelope) {
  return withEnvelope ? "pointwise band (.mcl\u2013.mch)" : "interval from .mcl to .mch";
}

const char* kEnvelopeName = "global envelope (.mgl\u2013.mgh)";

// What the marks of a lone text mean.
std::vector<LegendEntry> loneTextKey(const ProfileRun& run) {
  const TextStyle style;
  const bool envelope = hasEnvelope(run);
  const bool band = run.lower && run.upper;
  std::vector<LegendEntry> key{
      {lineSymbol(style.line, false, true), "empirical profile (.obs)"}};
  if (run.mean) key.push_back({lineSymbol(style.mean, true, false), "Monte Carlo mean (.mcm)"});
  if (band) key.push_back({bandSymbol(style.band, style.bandOpacity), bandName(envelope)});
  if (envelope) key.push_back({envelopeSymbol(style.envelope), kEnvelopeName});
  if (band) {
    key.push_back({pointSymbol(style.outsideFill, style.outsideFill, 3.4),
                   envelope ? "outside the pointwise band"
                            : "empirical value outside the interval"});
  }
  if (envelope) {
    key.push_back({squareSymbol(style.outsideFill, "#111111"), "outside the global envelope"});
  }
  if (!run.mean && !band && !envelope) {
    key.push_back({"", "no Monte Carlo files beside the .obs file"});
  }
  return key;
}

// What the marks of compared texts mean, drawn in grey.
std::vector<LegendEntry> comparedTextsKey(const std::vector<PlotText>& texts) {
  bool anyMean = false;
  bool anyBand = false;
  bool anyEnvelope = false;
  for (const PlotText& t : texts) {
    anyMean = anyMean || t.run.mean;
    anyBand = anyBand || (t.run.lower && t.run.upper);
    anyEnvelope = anyEnvelope || hasEnvelope(t.run);
  }
  const char* grey = "#555555";
  std::vector<LegendEntry> key{{lineSymbol(grey, false, true), "empirical profile (.obs)"}};
  if (anyMean) key.push_back({lineSymbol(grey, true, false), "Monte Carlo mean (.mcm)"});
  if (anyBand) key.push_back({bandSymbol(grey, "0.25"), bandName(anyEnvelope)});
  if (anyEnvelope) key.push_back({envelopeSymbol(grey), kEnvelopeName});
  if (anyBand) {
    key.push_back({pointSymbol(grey, "#111111", 3.4),
                   anyEnvelope ? "ringed: outside the pointwise band"
                               : "ringed: outside the interval"});
  }
  if (anyEnvelope) {
    key.push_back({squareSymbol(grey, "#111111"), "square: outside the global envelope"});
  }
  return key;
}

}  // namespace

std::vector<LegendEntry> textLegend(const std::vector<PlotText>& texts) {
  std::vector<LegendEntry> entries;
  if (texts.size() < 2) return entries;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const TextStyle style = comparedTextStyle(i);
    const ProfileRun& run = texts[i].run;
    // "ruth (20 chunks, 2574 tokens, global p = ...)": inside the parentheses.
    std::string summary = textSummary(texts[i]);
    if (run.globalTest) summary.insert(summary.size() - 1, combinedP(run));
    entries.push_back({"<path d=\"M0,0 L24,0\" stroke=\"" + std::string(style.line) +
                           "\" stroke-width=\"3\"/>",
                       summary});
  }
  return entries;
}

PanelData panelData(const std::vector<PlotText>& texts, int column, bool relative) {
  PanelData data;
  data.column = column;
  data.relative = relative;
  if (texts.size() > 1) {
    const auto tested = std::count_if(texts.begin(), texts.end(), [](const PlotText& t) {
      return t.run.globalTest.has_value();
    });
    data.pLines = static_cast<int>((tested + kPValuesPerLine - 1) / kPValuesPerLine);
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const ProfileRun& run = texts[i].run;
    if (!run.observed.has(column)) continue;
    Series s;
    if (texts.size() > 1) s.style = comparedTextStyle(i);
    const double total = run.observed.rows.empty() ? 0 : run.observed.rows.back().tokens;
    for (const ProfileRow& row : run.observed.rows) {
      const double tokens = static_cast<double>(row.tokens);
      s.x.push_back(!relative ? tokens : total > 0 ? tokens / total : 0);
    }
    s.observed = measureColumn(run.observed, column);
    s.mean = columnOf(run.mean, column);
    s.lower = columnOf(run.lower, column);
    s.upper = columnOf(run.upper, column);
    s.globalLower = columnOf(run.globalLower, column);
    s.globalUpper = columnOf(run.globalUpper, column);
    if (run.globalTest) {
      if (const GlobalTestRow* row = run.globalTest->find(column)) s.p = row->pText;
    }
    data.texts.push_back(std::move(s));
  }
  return data;
}

std::string labelMarkup(const std::string& label) {
  return std::string("<tspan class=\"measure\" font-family=\"") + kLabelFontFamily + "\">" +
         xmlEscape(label) + "</tspan>";
}

PanelData panelData(const ProfileRun& run, int column) {
  return panelData({PlotText{"", run}}, column, false);
}

void writeSvgStart(std::ostream& out, double width, double height, const std::string& title,
                   const std::string& markup) {
  const std::string escaped = xmlEscape(title);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << coord(width)
      << "\" height=\"" << coord(height) << "\" viewBox=\"0 0 " << coord(width) << " "
      << coord(height) << "\">\n"
      << "<title>" << escaped << "</title>\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#fafafa\"/>\n"
      << "<text class=\"title\" x=\"" << coord(kMargin + 4) << "\" y=\"26\" font-size=\"17\" "
      << "font-weight=\"bold\" font-family=\"" << kFontFamily << "\" fill=\"#111111\">"
      << (markup.empty() ? escaped : markup) << "</text>\n";
}

std::vector<int> panelMeasures(const std::vector<PlotText>& texts) {
  std::vector<int> measures;
  for (const PlotText& text : texts) {
    for (int measure : text.run.observed.measures) {
      if (std::find(measures.begin(), measures.end(), measure) == measures.end()) {
        measures.push_back(measure);
      }
    }
  }
  return measures;
}

void writeGridSvg(std::ostream& out, const std::vector<PlotText>& texts, bool relative) {
  const std::vector<int> measures = panelMeasures(texts);
  const int panels = static_cast<int>(measures.size());
  const int gridRows = (panels + kGridColumns - 1) / kGridColumns;
  const double width = 2 * kMargin + kGridColumns * kPanelWidth;
  const std::vector<std::vector<LegendEntry>> legend =
      texts.size() == 1
          ? std::vector<std::vector<LegendEntry>>{loneTextKey(texts[0].run)}
          : std::vector<std::vector<LegendEntry>>{textLegend(texts), comparedTextsKey(texts)};
  // The legend is written into a buffer first: its height decides where
  // the panels start, and so the picture's height.
  std::ostringstream legendSvg;
  const double legendBottom =
      writeLegend(legendSvg, legend, kMargin + 4, kLegendTop, width - 2 * kMargin - 8);
  const double gridTop = legendBottom + 14;
  const double height = gridTop + gridRows * kPanelHeight + kMargin;
  writeSvgStart(out, width, height, titleOf(texts));
  out << legendSvg.str();
  for (int index = 0; index < panels; ++index) {
    const Box box{kMargin + (index % kGridColumns) * kPanelWidth,
                  gridTop + (index / kGridColumns) * kPanelHeight, kPanelWidth, kPanelHeight};
    writePanel(out, panelData(texts, measures[index], relative), box);
  }
  out << "</svg>\n";
}

void writeSvg(std::ostream& out, const ProfileRun& run) {
  writeGridSvg(out, {PlotText{"", run}}, false);
}

}  // namespace tokshuf::plot
