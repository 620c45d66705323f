// The built tokshuf-plot on the files of newer tokshuf runs: columns chosen
// with --measures, texts of millions of tokens, and the global envelope
// test beside the pointwise band.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "crafted_run.h"
#include "support/files.h"
#include "support/process.h"
#include "svg_reader.h"

namespace tokshuf {
namespace {

using plot::testing::Svg;

const std::vector<long long> kTokens{100, 200, 300};
const std::vector<std::string> kClassic{"K", "D", "V", "V1", "V2", "V3", "V4", "V5",
                                        "R", "W", "S", "H", "C", "E", "lM", "lSt",
                                        "b", "c", "a1", "Z", "fa", "fthe", "sLmean", "sLstdev"};
const std::vector<std::string> kDiversity{"TTR",   "CTTR",  "Maas",  "lgV0", "U",
                                          "Summer", "I",    "Vm",    "HDD",  "vocdD",
                                          "MATTR", "MSTTR", "MTLD", "MTLDMA"};

std::string panel(const std::string& label) {
  return "//s:g[@class='panel'][@id='panel-" + label + "']";
}

class PlotColumnsTest : public testing::Test {
 protected:
  test::ProcessResult plot(const std::vector<std::string>& args) {
    return test::runInDirectory(TOKSHUF_PLOT_BIN, dir_.path(), args);
  }
  void write(const std::string& name, const std::string& content) {
    test::writeFile(dir_.file(name), content);
  }
  // TEXT.obs and its pointwise band: obs 5 everywhere but at chunk 2,
  // where it is `second`; the band 4 to 6.
  void writeRun(const std::string& stem, const std::vector<std::string>& labels,
                double second = 5) {
    write(stem + ".obs", test::profileText(labels, kTokens, [second](std::size_t r, std::size_t) {
            return r == 1 ? second : 5.0;
          }));
    write(stem + ".mcm", test::profileText(labels, kTokens, 5.0));
    write(stem + ".mcl", test::profileText(labels, kTokens, 4.0));
    write(stem + ".mch", test::profileText(labels, kTokens, 6.0));
  }
  // ...and the global envelope 3 to 7 with its test.
  void writeGlobal(const std::string& stem, const std::vector<std::string>& labels) {
    write(stem + ".mgl", test::profileText(labels, kTokens, 3.0));
    write(stem + ".mgh", test::profileText(labels, kTokens, 7.0));
    write(stem + ".mgt", test::globalTestText(labels, "0.0010"));
  }
  Svg picture(const std::vector<std::string>& args) {
    const test::ProcessResult r = plot(args);
    EXPECT_TRUE(r.exitedWith(0)) << r.describe();
    return Svg(r.out);
  }

  test::TempDir dir_{"plot-columns"};
};

TEST_F(PlotColumnsTest, EveryChosenColumnGetsAPanelInItsOrder) {
  std::vector<std::string> all = kClassic;
  all.insert(all.end(), kDiversity.begin(), kDiversity.end());
  const struct {
    std::vector<std::string> labels;
    std::string report;
  } cases[] = {
      {{"MTLD", "K"}, "Wrote t.svg (2 panels, 3 chunks)\n"},
      {{"TTR"}, "Wrote t.svg (1 panel, 3 chunks)\n"},
      {kDiversity, "Wrote t.svg (14 panels, 3 chunks)\n"},
      {all, "Wrote t.svg (38 panels, 3 chunks)\n"},
  };
  for (const auto& c : cases) {
    writeRun("t", c.labels);
    const test::ProcessResult r = plot({"t.obs"});
    ASSERT_TRUE(r.exitedWith(0)) << r.describe();
    EXPECT_EQ(r.err, c.report);
    const Svg svg(test::readFile(dir_.file("t.svg")));
    std::vector<std::string> ids;
    for (const std::string& label : c.labels) ids.push_back("panel-" + label);
    EXPECT_EQ(svg.all("//s:g[@class='panel']/@id"), ids);
  }
  // 38 panels take ten rows of four.
  const Svg svg(test::readFile(dir_.file("t.svg")));
  const double lastRow = std::stod(svg.one(panel("MTLDMA") + "/s:rect[@class='frame']/@y"));
  const double firstRow = std::stod(svg.one(panel("K") + "/s:rect[@class='frame']/@y"));
  EXPECT_NEAR(lastRow - firstRow, 9 * 200, 0.01);
  EXPECT_EQ(svg.one(panel("HDD") + "/s:text[@class='label']"), "HDD HD-D");
  EXPECT_EQ(svg.one(panel("Maas") + "/s:text[@class='label']"), "Maas Maas's a");
  EXPECT_EQ(svg.one(panel("MTLD") + "/s:text[@class='label']"), "MTLD ");
}

TEST_F(PlotColumnsTest, SeveralTextsShareThePanelsOfTheColumnsTheyHave) {
  writeRun("a", {"K", "V"});
  writeRun("b", {"MTLD", "K"});
  const Svg svg = picture({"-o", "-", "a.obs", "b.obs"});
  EXPECT_EQ(svg.all("//s:g[@class='panel']/@id"),
            (std::vector<std::string>{"panel-K", "panel-V", "panel-MTLD"}));
  EXPECT_EQ(svg.count(panel("K") + "/s:path[@class='observed']"), 2u);
  EXPECT_EQ(svg.count(panel("MTLD") + "/s:path[@class='observed']"), 1u);
  EXPECT_EQ(svg.one(panel("MTLD") + "/s:path[@class='observed']/@stroke"), "#D55E00");
}

TEST_F(PlotColumnsTest, TheFilesOfARunShareTheirHeader) {
  writeRun("t", {"K", "TTR"});
  write("t.mcl", test::profileText({"TTR", "K"}, kTokens, 4.0));
  const test::ProcessResult r = plot({"-o", "x.svg", "t.obs"});
  EXPECT_TRUE(r.exitedWith(1)) << r.describe();
  EXPECT_EQ(r.err, "tokshuf-plot: t.mcl:1: the header differs from t.obs:1; not the same run\n");
  EXPECT_FALSE(test::fileExists(dir_.file("x.svg")));
}

TEST_F(PlotColumnsTest, ThePlaneTakesAnyTwoColumnsOfEveryText) {
  writeRun("t", {"K", "MTLD", "TTR"});
  writeRun("u", {"K", "V"});
  test::ProcessResult r = plot({"--plane", "MTLD,TTR", "-o", "p.svg", "t.obs"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.err, "Wrote p.svg (TTR against MTLD, 3 chunks)\n");
  r = plot({"--plane", "MTLD,K", "-o", "p.svg", "t.obs", "u.obs"});
  EXPECT_TRUE(r.exitedWith(1)) << r.describe();
  EXPECT_EQ(r.err, "tokshuf-plot: u.obs:1: no column MTLD, which --plane needs\n");
}

TEST_F(PlotColumnsTest, TextsOfMillionsOfTokensHaveTicksInMillions) {
  const std::vector<long long> tokens{4'194'304, 8'388'608, 12'582'912, 16'777'216};
  write("big.obs", test::profileText({"K", "V"}, tokens, 120.0));
  const test::ProcessResult r = plot({"big.obs", "-o", "-"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.err, "Wrote standard output (2 panels, 4 chunks)\n");
  const Svg svg(r.out);
  EXPECT_EQ(svg.all(panel("K") + "/s:g[@class='x-axis']/s:text"),
            (std::vector<std::string>{"0", "5M", "10M", "15M", "20M"}));
  EXPECT_EQ(svg.one("/s:svg/s:title"), "big.obs \u2014 4 chunks, 16777216 tokens");
  EXPECT_EQ(svg.count(panel("V") + "/s:circle[@class='point']"), 4u);
}

TEST_F(PlotColumnsTest, TheGlobalEnvelopeIsAnOutlineAroundTheBand) {
  // Chunk 2 lies at 6.5: outside the band (4 to 6), inside the envelope;
  // in u at 9: outside both.
  writeRun("t", {"K", "MTLD"}, 6.5);
  writeGlobal("t", {"K", "MTLD"});
  const Svg svg = picture({"-o", "-", "t.obs"});
  EXPECT_EQ(svg.count("//s:polygon[@class='envelope'][@fill='none']"), 2u);
  EXPECT_EQ(svg.count("//s:circle[@class='point outside']"), 2u);
  EXPECT_EQ(svg.count("//s:rect[@class='point outside-envelope']"), 0u);
  EXPECT_EQ(svg.one(panel("K") + "/s:text[@class='label']"), "K Yule's K \u00B7 p = 0.0010");
  EXPECT_EQ(svg.one("/s:svg/s:title"),
            "t.obs \u2014 3 chunks, 300 tokens, global p = 0.0020 over all measures");
  EXPECT_EQ(svg.all("//s:g[@class='legend']//s:text"),
            (std::vector<std::string>{"empirical profile (.obs)", "Monte Carlo mean (.mcm)",
                                      "pointwise band (.mcl\u2013.mch)",
                                      "global envelope (.mgl\u2013.mgh)",
                                      "outside the pointwise band",
                                      "outside the global envelope"}));

  writeRun("u", {"K"}, 9);
  writeGlobal("u", {"K"});
  write("u.mgt", "measure p below above left_out\nK nan none none 1-3\nall nan - - -\n");
  const Svg two = picture({"-o", "-", "t.obs", "u.obs"});
  EXPECT_EQ(two.count(panel("K") + "/s:polygon[@class='envelope']"), 2u);
  EXPECT_EQ(two.one(panel("K") + "/s:rect[@class='point outside-envelope']/@fill"), "#D55E00");
  EXPECT_EQ(two.one(panel("K") + "/s:text[@class='p-values']"), "p = 0.0010  not tested");
  EXPECT_EQ(two.one(panel("MTLD") + "/s:text[@class='p-values']"), "p = 0.0010");
}

TEST_F(PlotColumnsTest, GlobalTestFilesAreCheckedLikeTheOthers) {
  writeRun("t", {"K", "D"});
  writeGlobal("t", {"K", "D"});
  const std::vector<std::string> before = test::listDirectory(dir_.path());
  const struct {
    std::string file;
    std::string content;
    std::string message;
  } cases[] = {
      {"t.mgl", test::profileText({"K", "D"}, {100, 250, 300}, 3.0),
       "t.mgl:3: N is 250 but t.obs:3 has 200; not the same run"},
      {"t.mgh", test::profileText({"D", "K"}, kTokens, 7.0),
       "t.mgh:1: the header differs from t.obs:1; not the same run"},
      {"t.mgt", test::globalTestText({"K", "V"}, "0.5"),
       "t.mgt:3: measure \"V\" where t.obs has column D; the measures do not match its header"},
  };
  for (const auto& c : cases) {
    const std::string good = test::readFile(dir_.file(c.file));
    write(c.file, c.content);
    const test::ProcessResult r = plot({"t.obs"});
    EXPECT_TRUE(r.exitedWith(1)) << r.describe();
    EXPECT_EQ(r.err, "tokshuf-plot: " + c.message + "\n");
    write(c.file, good);
  }
  for (const char* target : {"t.mgl", "t.mgh", "t.mgt"}) {
    const test::ProcessResult r = plot({"-o", target, "t.obs"});
    EXPECT_EQ(r.err, std::string("tokshuf-plot: ") + target + " is one of the inputs\n");
  }
  EXPECT_EQ(test::listDirectory(dir_.path()), before);
}

}  // namespace
}  // namespace tokshuf
