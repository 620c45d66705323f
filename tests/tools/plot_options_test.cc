#include "plot/plot_options.h"

#include <gtest/gtest.h>

namespace tokshuf::plot {
namespace {

using Args = std::vector<std::string>;

std::string usageError(const Args& args) {
  try {
    parsePlotOptions(args);
  } catch (const UsageError& e) {
    return e.what();
  }
  return "(accepted)";
}

TEST(PlotOptionsTest, OneInputDefaultsToAPictureBesideIt) {
  const PlotOptions o = parsePlotOptions({"dir/text.obs"});
  EXPECT_EQ(o.inputs, (Args{"dir/text.obs"}));
  EXPECT_EQ(o.output, "dir/text.svg");
  EXPECT_FALSE(o.relative);
  EXPECT_FALSE(o.plane);
  EXPECT_EQ(parsePlotOptions({"profile"}).output, "profile.svg");
}

TEST(PlotOptionsTest, TheOlderFormNamesThePictureSecond) {
  EXPECT_EQ(parsePlotOptions({"a.obs", "out.svg"}).output, "out.svg");
  EXPECT_EQ(parsePlotOptions({"a.obs", "-"}).output, "-");
  const PlotOptions two = parsePlotOptions({"-o", "x.svg", "a.obs", "b.svg"});
  EXPECT_EQ(two.inputs, (Args{"a.obs", "b.svg"}));  // with -o, both are inputs
  EXPECT_EQ(parsePlotOptions({"a.obs", "b.obs", "--output=c.svg"}).inputs,
            (Args{"a.obs", "b.obs"}));
}

TEST(PlotOptionsTest, SeveralInputsAndTheirOptions) {
  const PlotOptions o =
      parsePlotOptions({"--relative", "a.obs", "-o", "cmp.svg", "b.obs", "--", "-c.obs"});
  EXPECT_EQ(o.inputs, (Args{"a.obs", "b.obs", "-c.obs"}));
  EXPECT_EQ(o.output, "cmp.svg");
  EXPECT_TRUE(o.relative);
  EXPECT_EQ(usageError({"a.obs", "b.obs"}),
            "several texts need an output name: -o OUTPUT.svg (try -h)");
  Args nine{"-o", "x.svg"};
  for (int i = 0; i < 9; ++i) nine.push_back(std::string("t").append(std::to_string(i)) + ".obs");
  EXPECT_EQ(usageError(nine), "at most 8 texts in one picture, not 9");
  nine.pop_back();
  EXPECT_EQ(parsePlotOptions(nine).inputs.size(), 8u);
}

TEST(PlotOptionsTest, ThePlane) {
  const PlotOptions o = parsePlotOptions({"--plane", "Z,K", "--log=x", "a.obs"});
  ASSERT_TRUE(o.plane);
  EXPECT_EQ(o.plane->xColumn, 20);
  EXPECT_EQ(o.plane->yColumn, 1);
  EXPECT_TRUE(o.plane->logX);
  EXPECT_FALSE(o.plane->logY);
  const PlotOptions both = parsePlotOptions({"--log", "xy", "--plane=lM,sLstdev", "a.obs"});
  EXPECT_TRUE(both.plane->logX && both.plane->logY);
  EXPECT_EQ(both.plane->xColumn, 15);
  EXPECT_EQ(usageError({"--plane", "Z,Q", "a.obs"}),
            "unknown measure \"Q\" in --plane; valid are K D V V1 V2 V3 V4 V5 R W S H C E lM "
            "lSt b c a1 Z fa fthe sLmean sLstdev");
  EXPECT_EQ(usageError({"--plane", "N,K", "a.obs"}).rfind("unknown measure \"N\"", 0), 0u);
  EXPECT_EQ(usageError({"--plane", "ZK", "a.obs"}),
            "--plane needs two measure labels X,Y, e.g. --plane Z,K (try -h)");
  EXPECT_EQ(usageError({"--log", "x", "a.obs"}), "--log applies to --plane pictures only (try -h)");
  EXPECT_EQ(usageError({"--plane", "Z,K", "--log", "z", "a.obs"}),
            "--log takes x, y or xy, not \"z\" (try -h)");
  EXPECT_EQ(usageError({"--plane", "Z,K", "--relative", "a.obs"}),
            "--relative applies to the panel picture, not to --plane (try -h)");
}

TEST(PlotOptionsTest, HelpVersionAndMistakes) {
  EXPECT_TRUE(parsePlotOptions({"-h"}).showHelp);
  EXPECT_TRUE(parsePlotOptions({"a.obs", "--help"}).showHelp);
  EXPECT_TRUE(parsePlotOptions({"--version"}).showVersion);
  EXPECT_EQ(usageError({}), "no profile file (try -h)");
  EXPECT_EQ(usageError({"-x", "a.obs"}), "unknown option -x (try -h)");
  EXPECT_EQ(usageError({"--frobnicate=3", "a.obs"}), "unknown option --frobnicate (try -h)");
  EXPECT_EQ(usageError({"a.obs", "-o"}), "option -o needs a value (try -h)");
  EXPECT_EQ(usageError({"a.obs", "--plane"}), "option --plane needs a value (try -h)");
  // The parser starts afresh on every call.
  EXPECT_EQ(parsePlotOptions({"b.obs"}).inputs, (Args{"b.obs"}));
}

}  // namespace
}  // namespace tokshuf::plot
