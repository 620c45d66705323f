#include "plot/plane_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "svg_reader.h"

namespace tokshuf::plot {
namespace {

using testing::pointsOf;
using testing::Svg;

constexpr int kK = 1;  // column of Yule's K
constexpr int kZ = 20;  // column of the Zipf size

// A table whose K column holds `k` and Z column `z`; other columns 1.
ProfileTable table(const std::string& path, const std::vector<double>& k,
                   const std::vector<double>& z) {
  ProfileTable t{path, {}};
  for (std::size_t i = 0; i < k.size(); ++i) {
    ProfileRow row;
    row.tokens = 100 * static_cast<long long>(i + 1);
    row.line = static_cast<int>(i) + 2;
    row.values.fill(1);
    row.values[kK - 1] = k[i];
    row.values[kZ - 1] = z[i];
    t.rows.push_back(row);
  }
  return t;
}

Svg plane(const std::vector<PlotText>& texts, PlaneAxes axes = {kZ, kK, false, false}) {
  std::ostringstream out;
  writePlaneSvg(out, texts, axes);
  return Svg(out.str());
}

std::vector<PlotText> twoTexts() {
  ProfileRun first{table("a.obs", {100, 120, 140}, {10, 20, 30}), {}, {}, {}};
  first.lower = table("a.mcl", {90, 110, 130}, {5, 15, 25});
  first.upper = table("a.mch", {110, 130, 150}, {15, 25, 35});
  ProfileRun second{table("b.obs", {200, 180, 160, 150}, {40, 30, 20, 10}), {}, {}, {}};
  return {{"a", first}, {"b", second}};
}

TEST(PlaneDocumentTest, EachTextIsAPathFromItsFirstToItsLastChunk) {
  const Svg svg = plane(twoTexts());
  ASSERT_TRUE(svg.wellFormed());
  EXPECT_EQ(svg.one("/s:svg/s:title"), "K against Z \u2014 2 texts");
  const auto paths = svg.all("//s:path[@class='trajectory']/@d");
  ASSERT_EQ(paths.size(), 2u);
  const auto a = pointsOf(paths[0]);
  ASSERT_EQ(a.size(), 3u);
  // Z grows across, K grows up (y falls), evenly.
  EXPECT_LT(a[0].x, a[1].x);
  EXPECT_GT(a[0].y, a[1].y);
  EXPECT_NEAR(a[1].x - a[0].x, a[2].x - a[1].x, 0.02);
  EXPECT_NEAR(a[0].y - a[1].y, a[1].y - a[2].y, 0.02);
  EXPECT_EQ(pointsOf(paths[1]).size(), 4u);
  // Ends marked at the path's ends and labelled with their chunk.
  const auto firsts = svg.all("//s:circle[@class='first']/@cx");
  const auto lasts = svg.all("//s:circle[@class='last']/@cx");
  ASSERT_EQ(firsts.size(), 2u);
  ASSERT_EQ(lasts.size(), 2u);
  EXPECT_NEAR(std::stod(firsts[0]), a[0].x, 0.01);
  EXPECT_NEAR(std::stod(lasts[0]), a[2].x, 0.01);
  EXPECT_EQ(svg.all("//s:text[@class='point-label']"),
            (std::vector<std::string>{"1", "a 3", "1", "b 4"}));
  EXPECT_EQ(svg.count("//s:g[@class='legend']//s:text[.='a (3 chunks, 300 tokens)']"), 1u);
}

TEST(PlaneDocumentTest, BoundsAreCrossesInBothDirections) {
  const Svg svg = plane(twoTexts());
  // Only the first text has bounds: a horizontal and a vertical arm per chunk.
  const auto x1 = svg.all("//s:line[@class='cross']/@x1");
  ASSERT_EQ(x1.size(), 6u);
  const auto y1 = svg.all("//s:line[@class='cross']/@y1");
  const auto x2 = svg.all("//s:line[@class='cross']/@x2");
  const auto y2 = svg.all("//s:line[@class='cross']/@y2");
  const auto a = pointsOf(svg.all("//s:path[@class='trajectory']/@d")[0]);
  // Chunk 2: Z from 15 to 25 around 20, K from 110 to 130 around 120.
  EXPECT_EQ(y1[2], y2[2]);
  EXPECT_NEAR((std::stod(x1[2]) + std::stod(x2[2])) / 2, a[1].x, 0.02);
  EXPECT_EQ(x1[3], x2[3]);
  EXPECT_NEAR((std::stod(y1[3]) + std::stod(y2[3])) / 2, a[1].y, 0.02);
  // Chunk 1's bounds reach beyond the axes, which fit the paths: its
  // arms stop at the frame.
  const double left = std::stod(svg.one("//s:rect[@class='frame']/@x"));
  EXPECT_NEAR(std::stod(x1[0]), left, 0.01);
}

TEST(PlaneDocumentTest, AxesAreTitledWithTheMeasures) {
  const Svg svg = plane(twoTexts(), {kZ, kK, true, false});
  EXPECT_EQ(svg.one("//s:text[contains(@class,'x-title')]"), "Z \u2014 Zipf size (log scale)");
  EXPECT_EQ(svg.one("//s:text[contains(@class,'y-title')]"), "K \u2014 Yule's K");
  // In the title too the labels are set in the face where l and I differ.
  EXPECT_EQ(svg.all("/s:svg/s:text[@class='title']/s:tspan[contains(@font-family,'Mono')]"),
            (std::vector<std::string>{"K", "Z"}));
}

TEST(PlaneDocumentTest, LogarithmicAxesLeaveOutAndCountWhatTheyCannotPlace) {
  std::vector<PlotText> texts = twoTexts();
  texts[1].run.observed.rows[1].values[kZ - 1] = 0;  // log 0
  texts[1].run.observed.rows[2].values[kK - 1] = std::numeric_limits<double>::quiet_NaN();
  const Svg svg = plane(texts, {kZ, kK, true, true});
  ASSERT_TRUE(svg.wellFormed());
  EXPECT_EQ(svg.one("//s:text[@class='non-finite']"), "2 points cannot be placed");
  const auto paths = svg.all("//s:path[@class='trajectory']/@d");
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(pointsOf(paths[1]).size(), 2u);
  // Logarithmic: 10, 20, 30 are not evenly spaced; equal ratios are.
  const auto a = pointsOf(paths[0]);
  EXPECT_GT(a[1].x - a[0].x, a[2].x - a[1].x);
  const auto xTicks = svg.all("//s:g[@class='x-axis']/s:text");
  EXPECT_EQ(xTicks.front(), "10");
  for (double v : testing::geometryNumbers(svg)) ASSERT_TRUE(std::isfinite(v));
}

TEST(PlaneDocumentTest, ExtremeValuesStayFiniteAndFarOnesGoToTheEdge) {
  std::vector<double> k, z;
  for (int i = 0; i < 20; ++i) {
    k.push_back(100 + i);
    z.push_back(i % 2 ? -1e308 : 1e308);
  }
  k[7] = -1e15;
  const Svg svg = plane({{"x", {table("x.obs", k, z), {}, {}, {}}}});
  ASSERT_TRUE(svg.wellFormed());
  for (double v : testing::geometryNumbers(svg)) ASSERT_TRUE(std::isfinite(v));
  EXPECT_EQ(svg.one("//s:text[@class='non-finite']"), "1 point off scale, at the edge");
  EXPECT_EQ(svg.count("//s:polygon[@class='off-scale']"), 1u);
}

}  // namespace
}  // namespace tokshuf::plot
