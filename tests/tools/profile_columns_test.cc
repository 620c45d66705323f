// Profile files with chosen columns, TEXT.mgt files and token-count tick
// labels, read and formatted by the companions' library.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "crafted_run.h"
#include "plot/axis_ticks.h"
#include "plot/global_test.h"
#include "plot/profile_table.h"
#include "plot/svg_document.h"
#include "profile_parse.h"

namespace tokshuf::plot {
namespace {

using testing::errorOf;
using testing::parse;

TEST(ProfileColumnsTest, AnyKnownLabelsInAnyOrderAreColumns) {
  const struct {
    std::vector<std::string> labels;
    std::vector<int> measures;
  } cases[] = {
      {{"K"}, {1}},
      {{"MTLD", "K", "TTR"}, {37, 1, 25}},
      {{"sLstdev", "V"}, {24, 3}},
      {{"I", "HDD", "vocdD", "MTLDMA"}, {31, 33, 34, 38}},
  };
  for (const auto& c : cases) {
    const ProfileTable table = parse(test::profileText(c.labels, {10, 20}, 1.5));
    EXPECT_EQ(table.measures, c.measures) << test::headerLine(c.labels);
    EXPECT_EQ(table.rows.size(), 2u);
  }
}

TEST(ProfileColumnsTest, ValuesAreKeptByMeasureWhateverTheirColumn) {
  const ProfileTable table = parse(test::profileText(
      {"MTLD", "K"}, {10, 20}, [](std::size_t r, std::size_t c) { return 10.0 * r + c; }));
  EXPECT_EQ(table.rows[1].values[37 - 1], 10.0);  // MTLD, first column
  EXPECT_EQ(table.rows[1].values[1 - 1], 11.0);   // K, second
  EXPECT_EQ(table.rows[1].texts[1 - 1], "11.0000000");
  EXPECT_TRUE(table.has(37));
  EXPECT_FALSE(table.has(3));
}

TEST(ProfileColumnsTest, HeaderMistakesNameLineOne) {
  const std::string row = "10 1.0 2.0\n";
  const std::pair<std::string, std::string> cases[] = {
      {"N K Kay\n", "x.obs:1: unknown measure \"Kay\" in the header"},
      {"N K mtld\n", "x.obs:1: unknown measure \"mtld\" in the header"},
      {"N MTLD MTLD\n", "x.obs:1: measure MTLD appears twice in the header"},
      {"K N D\n", "x.obs:1: not a profile header (expected \"N K D V ... sLstdev\")"},
      {"N\n", "x.obs:1: not a profile header (expected \"N K D V ... sLstdev\")"},
  };
  for (const auto& [header, message] : cases) EXPECT_EQ(errorOf(header + row), message);
  EXPECT_EQ(errorOf("N K TTR\n10 1.0\n"), "x.obs:2: expected 3 fields, found 2");
}

TEST(ProfileColumnsTest, TokenCountsBeyondAMillionReadInMillions) {
  const struct {
    double value;
    double step;
    const char* label;
  } cases[] = {
      {0, 5e6, "0"},           {20000, 10000, "20k"},    {150000, 50000, "150k"},
      {500000, 500000, "500k"}, {1e6, 5e5, "1M"},        {1.2e6, 2e5, "1.2M"},
      {1.5e6, 5e5, "1.5M"},    {1.6e7, 2e6, "16M"},      {1.5e7, 5e6, "15M"},
      {2e9, 5e8, "2G"},        {2.5e9, 5e8, "2.5G"},     {1500, 500, "1500"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatTokenCount(c.value, c.step), c.label) << c.value;
  }
  // A measure's axis keeps its labels whatever their size.
  EXPECT_EQ(formatTick(2e6, 1e6), "2000k");
}

TEST(ProfileColumnsTest, PanelsAreTheColumnsOfAllTextsInTheOrderTheyFirstAppear) {
  std::vector<PlotText> texts;
  for (const std::vector<std::string>& labels :
       {std::vector<std::string>{"V", "K"}, {"MTLD", "K", "TTR"}, {"TTR", "D"}}) {
    texts.push_back({"t", ProfileRun{parse(test::profileText(labels, {10}, 1.0)), {}, {}, {}}});
  }
  EXPECT_EQ(panelMeasures(texts), (std::vector<int>{3, 1, 37, 25, 2}));
  // A text without the column has no share of its panel.
  EXPECT_EQ(panelData(texts, 37, false).texts.size(), 1u);
  EXPECT_EQ(panelData(texts, 1, false).texts.size(), 2u);
}

// TEXT.mgt read against the .obs of its run.
class GlobalTestFileTest : public ::testing::Test {
 protected:
  std::string errorOf(const std::string& mgt) {
    try {
      read(mgt);
    } catch (const ProfileError& e) {
      return e.what();
    }
    return "no error";
  }
  GlobalTest read(const std::string& mgt) {
    std::istringstream in(mgt);
    return parseGlobalTest(in, "t.mgt", observed_);
  }

  ProfileTable observed_ = parse(test::profileText({"K", "D", "b"}, {10, 20, 30, 40}, 1.0));
  const std::string header_ = "measure p below above left_out\n";
};

TEST_F(GlobalTestFileTest, ReadsARowPerColumnAndTheCombinedTest) {
  const GlobalTest test = read(header_ +
                               "K 0.0002 none 1-3 none\n"
                               "D 0.0418 1,3-4 none 2\n"
                               "b nan none none 1-4\n"
                               "all 0.0006 - - -\n");
  ASSERT_EQ(test.measures.size(), 3u);
  EXPECT_EQ(test.find(1)->pText, "0.0002");
  EXPECT_DOUBLE_EQ(test.find(2)->p, 0.0418);
  EXPECT_EQ(test.find(2)->below, "1,3-4");
  ASSERT_NE(test.find(17), nullptr);  // b
  EXPECT_TRUE(std::isnan(test.find(17)->p));
  EXPECT_EQ(test.find(3), nullptr);
  EXPECT_EQ(test.all.pText, "0.0006");
}

TEST_F(GlobalTestFileTest, MistakesNameTheFileAndLine) {
  const std::string k = "K 0.01 none none none\n";
  const std::string d = "D 0.01 none none none\n";
  const std::string b = "b 0.01 none none none\n";
  const std::string all = "all 0.01 - - -\n";
  const std::pair<std::string, std::string> cases[] = {
      {"measure p below above\n" + k,
       "t.mgt:1: not a global test header (expected \"measure p below above left_out\")"},
      {header_ + d + k + b + all,
       "t.mgt:2: measure \"D\" where x.obs has column K; the measures do not match its header"},
      {header_ + k + d + all, "t.mgt:4: measure \"all\" where x.obs has column b; the measures "
                              "do not match its header"},
      {header_ + k + d + b + "V 0.01 none none none\n",
       "t.mgt:5: measure \"V\" after the last column of x.obs; expected the row \"all\""},
      {header_ + k + d, "t.mgt:4: no row for b; the measures do not match the header of x.obs"},
      {header_ + k + d + b, "t.mgt:5: no row \"all\" after the measures"},
      {header_ + k + d + b + all + all, "t.mgt:6: a row after the row \"all\""},
      {header_ + "K 1.5 none none none\n", "t.mgt:2: cannot read p \"1.5\" of K"},
      {header_ + "K 0.01 none\n", "t.mgt:2: expected 5 fields, found 3"},
      {header_ + "K 0.01 3-2 none none\n",
       "t.mgt:2: cannot read the chunk list \"3-2\" in column below"},
      {header_ + "K 0.01 none 1,5 none\n",
       "t.mgt:2: cannot read the chunk list \"1,5\" in column above"},
      {header_ + "K 0.01 none none 2,1\n",
       "t.mgt:2: cannot read the chunk list \"2,1\" in column left_out"},
      {header_ + k + d + b + "all 0.01 none - -\n",
       "t.mgt:5: cannot read the chunk list \"none\" in column below"},
      {"", "t.mgt: empty file, no global test header"},
  };
  for (const auto& [text, message] : cases) EXPECT_EQ(errorOf(text), message) << text;
}

}  // namespace
}  // namespace tokshuf::plot
