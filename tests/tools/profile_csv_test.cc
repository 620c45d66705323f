#include "table/profile_csv.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tokshuf::table {
namespace {

using plot::ProfileRun;
using plot::ProfileTable;

const std::string kHeader =
    "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean sLstdev\n";

// A profile file whose rows hold `fields[i]` in every measure column but
// V1, which holds `v1[i]`.
ProfileTable table(const std::string& path, const std::vector<long long>& tokens,
                   const std::vector<std::string>& fields, const std::vector<std::string>& v1) {
  std::string text = kHeader;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    text += std::to_string(tokens[i]);
    for (int column = 1; column <= plot::kMeasureCount; ++column) {
      text += " " + (column == 4 ? v1[i] : fields[i]);
    }
    text += "\n";
  }
  std::istringstream in(text);
  return plot::parseProfile(in, path);
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A run of two chunks where V1 is below, then above its band and every
// other measure inside.
ProfileRun runWithBand(const std::string& stem) {
  return ProfileRun{table(stem + ".obs", {10, 20}, {"5.0000000", "6.0000000"}, {"1.25", "9.5"}),
                    table(stem + ".mcm", {10, 20}, {"5.5", "6.5"}, {"3.0", "4.0"}),
                    table(stem + ".mcl", {10, 20}, {"4.0", "5.0"}, {"2.0", "3.0"}),
                    table(stem + ".mch", {10, 20}, {"7.0", "8.0"}, {"4.0", "5.0"})};
}

std::string longTable(const std::vector<ProfileRun>& runs, long long* rows = nullptr) {
  std::ostringstream out;
  const long long written = writeLongTable(out, runs);
  if (rows) *rows = written;
  return out.str();
}

TEST(ProfileCsvTest, OneRowPerTextChunkAndMeasure) {
  long long rows = 0;
  const std::vector<std::string> lines =
      linesOf(longTable({runWithBand("a"), runWithBand("dir/b")}, &rows));
  EXPECT_EQ(rows, 2 * 2 * 24);
  ASSERT_EQ(lines.size(), 1u + 2 * 2 * 24);
  EXPECT_EQ(lines[0], "text,chunk,N,measure,obs,mean,lower,upper,position");
  EXPECT_EQ(lines[1], "a,1,10,K,5.0000000,5.5,4.0,7.0,inside");
  EXPECT_EQ(lines[4], "a,1,10,V1,1.25,3.0,2.0,4.0,below");
  EXPECT_EQ(lines[24 + 4], "a,2,20,V1,9.5,4.0,3.0,5.0,above");
  EXPECT_EQ(lines[48], "a,2,20,sLstdev,6.0000000,6.5,5.0,8.0,inside");
  EXPECT_EQ(lines[49], "dir/b,1,10,K,5.0000000,5.5,4.0,7.0,inside");
}

TEST(ProfileCsvTest, WithoutMonteCarloFilesTheirCellsAreEmpty) {
  ProfileRun alone{table("t.obs", {7}, {"1.5"}, {"2"}), {}, {}, {}};
  EXPECT_EQ(linesOf(longTable({alone}))[4], "t,1,7,V1,2,,,,");
  // A mean alone has no band to place the value in.
  alone.mean = table("t.mcm", {7}, {"1.0"}, {"3"});
  EXPECT_EQ(linesOf(longTable({alone}))[4], "t,1,7,V1,2,3,,,");
}

TEST(ProfileCsvTest, NonFiniteValuesHaveNoPosition) {
  ProfileRun run = runWithBand("t");
  run.observed = table("t.obs", {10, 20}, {"-nan", "inf"}, {"nan", "-inf"});
  run.upper = table("t.mch", {10, 20}, {"7.0", "inf"}, {"4.0", "5.0"});
  const std::vector<std::string> lines = linesOf(longTable({run}));
  EXPECT_EQ(lines[1], "t,1,10,K,NaN,5.5,4.0,7.0,");
  EXPECT_EQ(lines[4], "t,1,10,V1,NaN,3.0,2.0,4.0,");
  EXPECT_EQ(lines[24 + 1], "t,2,20,K,Inf,6.5,5.0,Inf,");
  EXPECT_EQ(lines[24 + 4], "t,2,20,V1,-Inf,4.0,3.0,5.0,");
}

TEST(ProfileCsvTest, TextIsThePathWithoutObsQuotedWhenNeeded) {
  EXPECT_EQ(textName("texts/ruth.obs"), "texts/ruth");
  EXPECT_EQ(textName("profile.txt"), "profile.txt");
  ProfileRun run{table("my \"best\", 2.obs", {7}, {"1"}, {"1"}), {}, {}, {}};
  EXPECT_EQ(linesOf(longTable({run}))[1], "\"my \"\"best\"\", 2\",1,7,K,1,,,,");
}

TEST(ProfileCsvTest, SummaryCountsThePositionsPerTextAndMeasure) {
  ProfileRun alone{table("t.obs", {7, 8, 9}, {"1", "1", "1"}, {"2", "2", "2"}), {}, {}, {}};
  std::ostringstream out;
  EXPECT_EQ(writeSummaryTable(out, {runWithBand("a"), alone}), 48);
  const std::vector<std::string> lines = linesOf(out.str());
  ASSERT_EQ(lines.size(), 49u);
  EXPECT_EQ(lines[0], "text,measure,chunks,below,inside,above");
  EXPECT_EQ(lines[1], "a,K,2,0,2,0");
  EXPECT_EQ(lines[4], "a,V1,2,1,0,1");
  EXPECT_EQ(lines[24 + 4], "t,V1,3,0,0,0");
}

}  // namespace
}  // namespace tokshuf::table
