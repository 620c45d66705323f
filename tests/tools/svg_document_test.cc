// The picture is checked as XML, not as text: the test asks for panels,
// paths and polygons the way a reader of the SVG would find them.

#include "plot/svg_document.h"

#include "svg_reader.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <sstream>

namespace tokshuf::plot {
namespace {

using testing::pointsOf;
using testing::Svg;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Every measure column of a table holds `values` (one per chunk), except
// those overridden afterwards by the test.
ProfileTable table(const std::string& path, const std::vector<long long>& tokens,
                   const std::vector<double>& values) {
  ProfileTable t{path, {}};
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    ProfileRow row;
    row.tokens = tokens[i];
    row.line = static_cast<int>(i) + 2;
    row.values.fill(values[i]);
    t.rows.push_back(row);
  }
  return t;
}

// Three chunks; the empirical value leaves the interval at chunk 2 only.
ProfileRun knownRun() {
  const std::vector<long long> n{100, 200, 300};
  ProfileRun run{table("dir/text.obs", n, {10, 25, 30}), {}, {}, {}};
  run.mean = table("dir/text.mcm", n, {10, 20, 30});
  run.lower = table("dir/text.mcl", n, {9, 18, 28});
  run.upper = table("dir/text.mch", n, {11, 22, 32});
  return run;
}

std::string panel(const std::string& label) {
  return "//s:g[@class='panel'][@id='panel-" + label + "']";
}

int moveCount(const std::string& pathData) {
  return static_cast<int>(std::count(pathData.begin(), pathData.end(), 'M'));
}

TEST(SvgDocumentTest, HasTwentyFourLabelledPanels) {
  const Svg svg(knownRun());
  ASSERT_TRUE(svg.wellFormed());
  EXPECT_EQ(svg.count("//s:g[@class='panel']"), 24u);
  EXPECT_EQ(svg.one(panel("K") + "/s:text[@class='label']"), "K Yule's K");
  EXPECT_EQ(svg.one(panel("sLstdev") + "/s:text[@class='label']/s:tspan"), "lognormal sd");
  EXPECT_EQ(svg.count("//s:g[@class='panel']/s:text[@class='label']"), 24u);
}

TEST(SvgDocumentTest, TitleNamesTheInputAndTheChunkCount) {
  const Svg svg(knownRun());
  EXPECT_EQ(svg.one("/s:svg/s:text[@class='title']"), "text.obs \u2014 3 chunks, 300 tokens");
  EXPECT_EQ(svg.one("/s:svg/s:title"), "text.obs \u2014 3 chunks, 300 tokens");
}

TEST(SvgDocumentTest, EachPanelDrawsLineBandAndMean) {
  const Svg svg(knownRun());
  EXPECT_EQ(svg.count("//s:g[@class='panel']/s:path[@class='observed']"), 24u);
  EXPECT_EQ(svg.count("//s:g[@class='panel']/s:path[@class='mean'][@stroke-dasharray]"), 24u);
  EXPECT_EQ(svg.count("//s:g[@class='panel']/s:polygon[@class='band']"), 24u);
  EXPECT_EQ(svg.count(panel("V") + "/s:circle[contains(@class,'point')]"), 3u);
}

TEST(SvgDocumentTest, PanelDataOfOneRunIsOneSeriesInTokens) {
  const PanelData data = panelData(knownRun(), 2);
  EXPECT_EQ(data.column, 2);
  EXPECT_FALSE(data.relative);
  ASSERT_EQ(data.texts.size(), 1u);
  EXPECT_EQ(data.texts[0].x, (std::vector<double>{100, 200, 300}));
  EXPECT_EQ(data.texts[0].observed, (std::vector<double>{10, 25, 30}));
  EXPECT_EQ(data.texts[0].upper, (std::vector<double>{11, 22, 32}));
  EXPECT_STREQ(data.texts[0].style.line, kObservedColour);
}

TEST(SvgDocumentTest, GeometryFollowsTheValues) {
  const Svg svg(knownRun());
  const auto line = pointsOf(svg.one(panel("D") + "/s:path[@class='observed']/@d"));
  ASSERT_EQ(line.size(), 3u);
  // x grows with N; the values 10, 25, 30 rise, so y (downwards) falls.
  EXPECT_LT(line[0].x, line[1].x);
  EXPECT_LT(line[1].x, line[2].x);
  EXPECT_NEAR(line[1].x - line[0].x, line[2].x - line[1].x, 0.02);
  EXPECT_GT(line[0].y, line[1].y);
  EXPECT_GT(line[1].y, line[2].y);
  // 10 -> 25 is three times 25 -> 30.
  EXPECT_NEAR(line[0].y - line[1].y, 3 * (line[1].y - line[2].y), 0.05);

  const auto band = pointsOf(svg.one(panel("D") + "/s:polygon[@class='band']/@points"));
  ASSERT_EQ(band.size(), 6u);  // along the upper bound, back along the lower
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(band[i].x, band[5 - i].x);
    EXPECT_LT(band[i].y, band[5 - i].y);  // upper bound drawn above lower
    EXPECT_DOUBLE_EQ(band[i].x, line[i].x);
  }
  const auto mean = pointsOf(svg.one(panel("D") + "/s:path[@class='mean']/@d"));
  ASSERT_EQ(mean.size(), 3u);
  EXPECT_DOUBLE_EQ(mean[0].y, line[0].y);  // observed equals mean at chunk 1
  EXPECT_GT(mean[1].y, band[1].y);         // mean lies inside the band
  EXPECT_LT(mean[1].y, band[4].y);
}

TEST(SvgDocumentTest, MarksChunksOutsideTheBand) {
  const Svg svg(knownRun());
  EXPECT_EQ(svg.count("//s:circle[@class='point outside']"), 24u);
  const auto line = pointsOf(svg.one(panel("W") + "/s:path[@class='observed']/@d"));
  EXPECT_NEAR(std::stod(svg.one(panel("W") + "/s:circle[@class='point outside']/@cx")),
              line[1].x, 0.01);
}

TEST(SvgDocumentTest, AxesHaveReadableTickLabels) {
  const Svg svg(knownRun());
  EXPECT_EQ(svg.all(panel("K") + "/s:g[@class='x-axis']/s:text"),
            (std::vector<std::string>{"0", "100", "200", "300"}));
  const auto yLabels = svg.all(panel("K") + "/s:g[@class='y-axis']/s:text");
  ASSERT_GE(yLabels.size(), 3u);
  EXPECT_EQ(yLabels.front(), "0");
  EXPECT_EQ(yLabels.back(), "40");
}

TEST(SvgDocumentTest, LegendListsWhatIsDrawn) {
  const Svg full(knownRun());
  EXPECT_EQ(full.count("//s:g[@class='legend']/s:g[@class='legend-entry']"), 4u);
  ProfileRun bare = knownRun();
  bare.mean.reset();
  bare.lower.reset();
  bare.upper.reset();
  const Svg svg(bare);
  EXPECT_EQ(svg.all("//s:g[@class='legend']//s:text"),
            (std::vector<std::string>{"empirical profile (.obs)",
                                      "no Monte Carlo files beside the .obs file"}));
  EXPECT_EQ(svg.count("//s:polygon[@class='band']"), 0u);
  EXPECT_EQ(svg.count("//s:path[@class='mean']"), 0u);
  EXPECT_EQ(svg.count("//s:circle[@class='point outside']"), 0u);
}

TEST(SvgDocumentTest, NonFiniteValuesAreLeftOutAndCounted) {
  ProfileRun run = knownRun();
  run.observed.rows[1].values[0] = kNan;   // K at chunk 2
  run.observed.rows[2].values[1] = kInf;   // D at chunk 3
  run.lower->rows[1].values[1] = -kInf;    // D's band breaks at chunk 2
  run.mean->rows[0].values[1] = kNan;
  const Svg svg(run);
  ASSERT_TRUE(svg.wellFormed());

  const std::string k = svg.one(panel("K") + "/s:path[@class='observed']/@d");
  EXPECT_EQ(moveCount(k), 2);  // the line breaks at the gap
  EXPECT_EQ(pointsOf(k).size(), 2u);
  EXPECT_EQ(svg.count(panel("K") + "/s:circle[contains(@class,'point')]"), 2u);
  EXPECT_EQ(svg.one(panel("K") + "/s:text[@class='non-finite']"), "1 non-finite");

  EXPECT_EQ(pointsOf(svg.one(panel("D") + "/s:path[@class='observed']/@d")).size(), 2u);
  EXPECT_EQ(pointsOf(svg.one(panel("D") + "/s:path[@class='mean']/@d")).size(), 2u);
  // The band breaks at chunk 2; each lone chunk left is a narrow bar.
  const auto bars = svg.all(panel("D") + "/s:polygon[@class='band']/@points");
  ASSERT_EQ(bars.size(), 2u);
  for (const std::string& bar : bars) {
    const auto corners = pointsOf(bar);
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_GT(corners[1].x, corners[0].x);
    EXPECT_GT(corners[2].y, corners[1].y);
  }
  EXPECT_EQ(svg.one(panel("D") + "/s:text[@class='non-finite']"), "3 non-finite");

  EXPECT_EQ(svg.count(panel("V") + "/s:text[@class='non-finite']"), 0u);
  EXPECT_EQ(svg.all("//@*[contains(., 'nan') or contains(., 'inf')]").size(), 0u);
}

TEST(SvgDocumentTest, PanelWithNothingFiniteStillHasAxes) {
  ProfileRun run = knownRun();
  for (auto* t : {&run.observed, &*run.mean, &*run.lower, &*run.upper}) {
    for (auto& row : t->rows) row.values[3] = kNan;  // V1 is column 4
  }
  const Svg svg(run);
  ASSERT_TRUE(svg.wellFormed());
  EXPECT_EQ(svg.count(panel("V1") + "/s:path"), 0u);
  EXPECT_EQ(svg.count(panel("V1") + "/s:polygon"), 0u);
  EXPECT_EQ(svg.one(panel("V1") + "/s:text[@class='non-finite']"), "12 non-finite");
  EXPECT_GE(svg.count(panel("V1") + "/s:g[@class='y-axis']/s:text"), 2u);
}

TEST(SvgDocumentTest, EmptyTextKeepsTheTokenAxisNonNegative) {
  const std::vector<long long> n{0, 0};
  const ProfileRun run{table("empty.obs", n, {kNan, kNan}), {}, {}, {}};
  const Svg svg(run);
  ASSERT_TRUE(svg.wellFormed());
  EXPECT_EQ(svg.all(panel("K") + "/s:g[@class='x-axis']/s:text"),
            (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  EXPECT_EQ(svg.one("/s:svg/s:title"), "empty.obs \u2014 2 chunks, 0 tokens");
}

TEST(SvgDocumentTest, FileNamesAreEscaped) {
  ProfileRun run = knownRun();
  run.observed.path = "a&b<c>.obs";
  const Svg svg(run);
  ASSERT_TRUE(svg.wellFormed());
  EXPECT_EQ(svg.one("/s:svg/s:title"), "a&b<c>.obs \u2014 3 chunks, 300 tokens");
}

void expectFiniteGeometry(const Svg& svg) {
  ASSERT_TRUE(svg.wellFormed());
  const double width = std::stod(svg.one("/s:svg/@width"));
  const double height = std::stod(svg.one("/s:svg/@height"));
  for (double v : testing::geometryNumbers(svg)) {
    ASSERT_TRUE(std::isfinite(v));
    ASSERT_GE(v, -std::max(width, height));
    ASSERT_LE(v, 2 * std::max(width, height));
  }
}

TEST(SvgDocumentTest, ValuesAtTheLimitsOfADoubleGiveFiniteCoordinates) {
  const double max = std::numeric_limits<double>::max();
  const double tiny = std::numeric_limits<double>::denorm_min();
  const std::vector<long long> n{10, 20, 30, 40};
  ProfileRun run{table("x.obs", n, {-1e308, 1e308, -max, max}), {}, {}, {}};
  run.lower = table("x.mcl", n, {-max, -max, -max, -max});
  run.upper = table("x.mch", n, {max, max, max, max});
  run.mean = table("x.mcm", n, {0, 0, 0, 0});
  for (auto& row : run.observed.rows) row.values[1] = tiny;  // D: a constant 5e-324
  const Svg svg(run);
  expectFiniteGeometry(svg);
  EXPECT_EQ(svg.count(panel("D") + "/s:circle[contains(@class,'point')]"), 4u);
  // Every value was placed: none is counted as left out.
  EXPECT_EQ(svg.count("//s:text[@class='non-finite']"), 0u);
}

// Sichel's b of a 26-token text at 40 chunks: nan where no fit was found,
// one chunk at -1e15, the others near -1.
ProfileRun tinyTextRun() {
  std::vector<long long> n;
  std::vector<double> b;
  for (int i = 1; i <= 40; ++i) {
    n.push_back(i * 26 / 40);
    b.push_back(i % 9 == 0 ? kNan : -0.5 - 0.02 * i);
  }
  b[20] = -1e15;
  ProfileRun run{table("tiny.obs", n, b), {}, {}, {}};
  return run;
}

TEST(SvgDocumentTest, OneFarValueDoesNotSquashThePanel) {
  const Svg svg(tinyTextRun());
  expectFiniteGeometry(svg);
  const auto ticks = svg.all(panel("b") + "/s:g[@class='y-axis']/s:text");
  ASSERT_FALSE(ticks.empty());
  EXPECT_GE(std::stod(ticks.front()), -2);  // the axis keeps to the bulk near -1
  // The far value sits on the bottom edge, marked and counted.
  const auto marks = svg.all(panel("b") + "/s:polygon[@class='off-scale']/@points");
  ASSERT_EQ(marks.size(), 1u);
  const double frameBottom = std::stod(svg.one(panel("b") + "/s:rect[@class='frame']/@y")) +
                             std::stod(svg.one(panel("b") + "/s:rect[@class='frame']/@height"));
  EXPECT_NEAR(pointsOf(marks[0])[0].y, frameBottom + 1, 0.01);  // the tip points out
  EXPECT_EQ(svg.one(panel("b") + "/s:text[@class='off-scale-count']"), "\u25BC1");
  // The line breaks there rather than diving to the edge.
  const std::string line = svg.one(panel("b") + "/s:path[@class='observed']/@d");
  for (const auto& p : pointsOf(line)) EXPECT_LT(p.y, frameBottom - 0.5);
  EXPECT_EQ(svg.one(panel("b") + "/s:text[@class='non-finite']"), "4 non-finite");
}

TEST(SvgDocumentTest, CountsAreDrawnOutsideThePlottingArea) {
  ProfileRun run = knownRun();
  run.observed.rows[1].values[0] = kNan;
  const Svg svg(run);
  const double frameTop = std::stod(svg.one(panel("K") + "/s:rect[@class='frame']/@y"));
  EXPECT_LT(std::stod(svg.one(panel("K") + "/s:text[@class='non-finite']/@y")), frameTop);
}

TEST(SvgDocumentTest, AxesHaveTitlesAndLabelsUseAFaceWhereLDiffersFromI) {
  const Svg svg(knownRun());
  EXPECT_EQ(svg.one(panel("lM") + "/s:text[contains(@class,'x-title')]"), "tokens read (N)");
  EXPECT_EQ(svg.one(panel("lM") + "/s:text[contains(@class,'y-title')]"), "lM");
  EXPECT_NE(svg.one(panel("lSt") + "/s:text[@class='label']/@font-family").find("Mono"),
            std::string::npos);
  EXPECT_NE(svg.one(panel("lSt") + "/s:text[contains(@class,'y-title')]/s:tspan/@font-family")
                .find("Mono"),
            std::string::npos);
}

std::vector<PlotText> threeTexts() {
  std::vector<PlotText> texts;
  const std::vector<long long> shortText{50, 100};
  const std::vector<long long> longText{200, 400, 600, 800};
  texts.push_back({"alpha", {table("a.obs", shortText, {1, 2}), {}, {}, {}}});
  texts.push_back({"beta", knownRun()});
  texts.push_back({"gamma", {table("c.obs", longText, {4, 3, 2, 1}), {}, {}, {}}});
  return texts;
}

TEST(SvgDocumentTest, SeveralTextsShareEachPanelInTheirOwnColours) {
  const Svg svg(threeTexts(), false);
  expectFiniteGeometry(svg);
  EXPECT_EQ(svg.count("//s:g[@class='panel']"), 24u);
  EXPECT_EQ(svg.one("/s:svg/s:title"), "3 texts: alpha, beta, gamma");
  const auto lines = svg.all(panel("K") + "/s:path[@class='observed']/@stroke");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0], lines[1]);
  EXPECT_NE(lines[1], lines[2]);
  EXPECT_NE(lines[0], lines[2]);
  // Only beta has Monte Carlo files: one band, in beta's colour.
  EXPECT_EQ(svg.all(panel("K") + "/s:polygon[@class='band']/@fill"),
            (std::vector<std::string>{lines[1]}));
  const auto legend = svg.all("//s:g[@class='legend']//s:text");
  ASSERT_GE(legend.size(), 3u);
  EXPECT_EQ(legend[0], "alpha (2 chunks, 100 tokens)");
  EXPECT_EQ(legend[1], "beta (3 chunks, 300 tokens)");
  EXPECT_EQ(legend[2], "gamma (4 chunks, 800 tokens)");
  // The x axis reaches the longest text.
  EXPECT_EQ(svg.all(panel("K") + "/s:g[@class='x-axis']/s:text").back(), "800");
}

TEST(SvgDocumentTest, ATextFarFromTheOthersIsNotTakenForAStray) {
  // A one-chunk text with a count in the thousands beside long ones in
  // the tens: one of 31 values, yet all of that text, so on the axis.
  std::vector<PlotText> texts;
  const std::vector<long long> n{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
  for (const char* name : {"a", "b", "c"}) {
    texts.push_back({name, {table(std::string(name) + ".obs", n,
                                  {10, 12, 14, 16, 18, 20, 22, 24, 26, 28}), {}, {}, {}}});
  }
  texts.push_back({"far", {table("far.obs", {1000}, {4000}), {}, {}, {}}});
  const Svg svg(texts, true);
  EXPECT_EQ(svg.count(panel("V") + "/s:polygon[@class='off-scale']"), 0u);
  EXPECT_EQ(svg.all(panel("V") + "/s:g[@class='y-axis']/s:text").back(), "4k");
}

TEST(SvgDocumentTest, RelativeAxisShowsTheShareOfEachTextRead) {
  const Svg svg(threeTexts(), true);
  EXPECT_EQ(svg.all(panel("V") + "/s:g[@class='x-axis']/s:text"),
            (std::vector<std::string>{"0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
  EXPECT_EQ(svg.one(panel("V") + "/s:text[contains(@class,'x-title')]"),
            "share of the text read");
  // Every text ends at the right edge of the frame.
  const double right = std::stod(svg.one(panel("V") + "/s:rect[@class='frame']/@x")) +
                       std::stod(svg.one(panel("V") + "/s:rect[@class='frame']/@width"));
  for (const std::string& d : svg.all(panel("V") + "/s:path[@class='observed']/@d")) {
    EXPECT_NEAR(pointsOf(d).back().x, right, 0.01);
  }
}

}  // namespace
}  // namespace tokshuf::plot
