#include "table/table_options.h"

#include <gtest/gtest.h>

namespace tokshuf::table {
namespace {

std::string errorOf(const std::vector<std::string>& args) {
  try {
    parseTableOptions(args);
  } catch (const UsageError& e) {
    return e.what();
  }
  return "no error";
}

TEST(TableOptionsTest, FilesInOrderWithOptionsAnywhere) {
  const TableOptions options = parseTableOptions({"b.obs", "-o", "all.csv", "a.obs", "--summary"});
  EXPECT_EQ(options.inputs, (std::vector<std::string>{"b.obs", "a.obs"}));
  EXPECT_EQ(options.output, "all.csv");
  EXPECT_TRUE(options.summary);
  EXPECT_EQ(parseTableOptions({"--output=x.csv", "-s", "a.obs"}).output, "x.csv");
  EXPECT_EQ(parseTableOptions({"-ox.csv", "a.obs"}).output, "x.csv");
  EXPECT_EQ(parseTableOptions({"a.obs"}).output, "");
  EXPECT_FALSE(parseTableOptions({"a.obs"}).summary);
}

TEST(TableOptionsTest, DoubleDashEndsTheOptions) {
  EXPECT_EQ(parseTableOptions({"--", "-s.obs"}).inputs, (std::vector<std::string>{"-s.obs"}));
}

TEST(TableOptionsTest, HelpAndVersionNeedNoFiles) {
  EXPECT_TRUE(parseTableOptions({"-h"}).showHelp);
  EXPECT_TRUE(parseTableOptions({"--help"}).showHelp);
  EXPECT_TRUE(parseTableOptions({"--version"}).showVersion);
  EXPECT_TRUE(parseTableOptions({"a.obs", "--version"}).showVersion);
}

TEST(TableOptionsTest, MistakesAreNamed) {
  EXPECT_EQ(errorOf({}), "no profile file (try --help)");
  EXPECT_EQ(errorOf({"-s"}), "no profile file (try --help)");
  EXPECT_EQ(errorOf({"-x", "a.obs"}), "unknown option -x (try --help)");
  EXPECT_EQ(errorOf({"--colour", "a.obs"}), "unknown option --colour (try --help)");
  EXPECT_EQ(errorOf({"a.obs", "-o"}), "option -o needs a file name (try --help)");
  EXPECT_EQ(errorOf({"a.obs", "--output"}), "option --output needs a file name (try --help)");
  EXPECT_EQ(errorOf({"--\x1b[2J", "a.obs"}), "unknown option --?[2J (try --help)");
}

}  // namespace
}  // namespace tokshuf::table
