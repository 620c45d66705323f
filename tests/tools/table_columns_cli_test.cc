// The built tokshuf-table on the files of newer tokshuf runs: columns chosen
// with --measures, texts of millions of tokens, and the global envelope
// test.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "crafted_run.h"
#include "support/files.h"
#include "support/process.h"
#include "support/profile_file.h"

#ifndef TOKSHUF_BIN
#define TOKSHUF_BIN ""
#endif

namespace tokshuf {
namespace {

const std::vector<long long> kTokens{100, 200, 300};

class TableColumnsTest : public testing::Test {
 protected:
  std::vector<std::string> table(const std::vector<std::string>& args) {
    const test::ProcessResult r = test::runInDirectory(TOKSHUF_TABLE_BIN, dir_.path(), args);
    EXPECT_TRUE(r.exitedWith(0)) << r.describe();
    EXPECT_EQ(r.err, "");
    return test::splitLines(r.out);
  }
  void write(const std::string& name, const std::string& content) {
    test::writeFile(dir_.file(name), content);
  }
  // obs 5 but 6.5 at chunk 2 and nan at chunk 3; band 4 to 6, envelope 3
  // to 7 (only for the first column at chunk 1, 5.5 to 7, so that obs is
  // below it).
  void writeRun(const std::string& stem, const std::vector<std::string>& labels) {
    write(stem + ".obs", test::profileText(labels, kTokens, [](std::size_t r, std::size_t) {
            return r == 0 ? 5.0 : r == 1 ? 6.5 : std::nan("");
          }));
    write(stem + ".mcl", test::profileText(labels, kTokens, 4.0));
    write(stem + ".mch", test::profileText(labels, kTokens, 6.0));
  }
  void writeGlobal(const std::string& stem, const std::vector<std::string>& labels) {
    write(stem + ".mgl", test::profileText(labels, kTokens, [](std::size_t r, std::size_t c) {
            return r == 0 && c == 0 ? 5.5 : 3.0;
          }));
    write(stem + ".mgh", test::profileText(labels, kTokens, 7.0));
    write(stem + ".mgt", test::globalTestText(labels, "0.0010"));
  }

  test::TempDir dir_{"table-columns"};
};

TEST_F(TableColumnsTest, RowsFollowEachTextsColumns) {
  writeRun("a", {"MTLD", "K"});
  writeRun("b", {"TTR"});
  const std::vector<std::string> rows = table({"a.obs", "b.obs"});
  ASSERT_EQ(rows.size(), 1u + 3 * 2 + 3 * 1);
  EXPECT_EQ(rows[0], "text,chunk,N,measure,obs,mean,lower,upper,position");
  EXPECT_EQ(rows[1], "a,1,100,MTLD,5.0000000,,4.0000000,6.0000000,inside");
  EXPECT_EQ(rows[2], "a,1,100,K,5.0000000,,4.0000000,6.0000000,inside");
  EXPECT_EQ(rows[4], "a,2,200,K,6.5000000,,4.0000000,6.0000000,above");
  EXPECT_EQ(rows[9], "b,3,300,TTR,NaN,,4.0000000,6.0000000,");
  EXPECT_EQ(table({"--summary", "a.obs", "b.obs"}),
            (std::vector<std::string>{"text,measure,chunks,below,inside,above", "a,MTLD,3,0,1,1",
                                      "a,K,3,0,1,1", "b,TTR,3,0,1,1"}));
}

TEST_F(TableColumnsTest, TokenCountsOfAnySize) {
  write("big.obs", test::profileText({"V"}, {8'388'608, 16'777'216}, 60000.0));
  EXPECT_EQ(table({"big.obs"}),
            (std::vector<std::string>{"text,chunk,N,measure,obs,mean,lower,upper,position",
                                      "big,1,8388608,V,60000.0000000,,,,",
                                      "big,2,16777216,V,60000.0000000,,,,"}));
}

TEST_F(TableColumnsTest, TheGlobalTestAddsColumnsWhereAnyInputHasOne) {
  writeRun("g", {"K", "D"});
  writeGlobal("g", {"K", "D"});
  writeRun("plain", {"K"});
  const std::vector<std::string> rows = table({"g.obs", "plain.obs"});
  ASSERT_EQ(rows.size(), 1u + 3 * 2 + 3);
  EXPECT_EQ(rows[0],
            "text,chunk,N,measure,obs,mean,lower,upper,position,global_lower,global_upper,"
            "global_position");
  EXPECT_EQ(rows[1], "g,1,100,K,5.0000000,,4.0000000,6.0000000,inside,5.5000000,7.0000000,below");
  EXPECT_EQ(rows[3], "g,2,200,K,6.5000000,,4.0000000,6.0000000,above,3.0000000,7.0000000,inside");
  EXPECT_EQ(rows[5], "g,3,300,K,NaN,,4.0000000,6.0000000,,3.0000000,7.0000000,");
  EXPECT_EQ(rows[7], "plain,1,100,K,5.0000000,,4.0000000,6.0000000,inside,,,");
  EXPECT_EQ(table({"-s", "g.obs", "plain.obs"}),
            (std::vector<std::string>{"text,measure,chunks,below,inside,above,p",
                                      "g,K,3,0,1,1,0.0010", "g,D,3,0,1,1,0.0010",
                                      "plain,K,3,0,1,1,"}));
  // Only the test's p: the summary still gets its column; nan is NaN.
  write("plain.mgt", "measure p below above left_out\nK nan none none 1-3\nall nan - - -\n");
  EXPECT_EQ(table({"-s", "plain.obs"}),
            (std::vector<std::string>{"text,measure,chunks,below,inside,above,p",
                                      "plain,K,3,0,1,1,NaN"}));
}

// The header tokshuf writes for chosen columns is the one the table reads.
TEST_F(TableColumnsTest, ARunWithChosenColumnsRoundTrips) {
  if (std::string(TOKSHUF_BIN).empty()) GTEST_SKIP() << "tokshuf is not built here";
  std::string zvc = "Word z\n";
  for (int i = 0; i < 400; ++i) {
    const std::string rank = std::to_string(1 + (i * i) % 37);
    zvc.append("w").append(rank).append(" ").append(rank).append("\n");
  }
  write("t.zvc", zvc);
  test::ProcessOptions run;
  run.args = {"--measures=Z,K,V1", "-p10", "-k4", "t.zvc"};
  run.workingDirectory = dir_.path();
  ASSERT_TRUE(test::runProcess(TOKSHUF_BIN, run).exitedWith(0));
  const std::vector<std::string> rows = table({"t.obs"});
  ASSERT_EQ(rows.size(), 1u + 4 * 3);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const char* label = i % 3 == 1 ? ",Z," : i % 3 == 2 ? ",K," : ",V1,";
    EXPECT_NE(rows[i].find(label), std::string::npos) << rows[i];
    // Z's fit fails on so small a text; K always has its band.
    if (i % 3 == 2) {
      EXPECT_NE(rows[i].back(), ',') << "no position: " << rows[i];
    }
  }
}

}  // namespace
}  // namespace tokshuf
