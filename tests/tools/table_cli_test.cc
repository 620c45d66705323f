// Runs the built tokshuf-table as a user would: on profile files written
// here, on a real tokshuf run, and with the table read back by pandas.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/process.h"

#ifndef TOKSHUF_BIN
#define TOKSHUF_BIN ""
#endif

namespace tokshuf {
namespace {

const std::string kHeader =
    "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean sLstdev\n";

// A profile file whose rows hold one value everywhere but in column V.
std::string profile(const std::vector<long long>& tokens, const std::string& value,
                    const std::vector<std::string>& v = {}) {
  std::string text = kHeader;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    text += std::to_string(tokens[i]);
    for (int column = 1; column <= 24; ++column) {
      text += " " + (column == 3 && i < v.size() ? v[i] : value);
    }
    text += "\n";
  }
  return text;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

bool hasLine(const std::string& text, const std::string& line) {
  const std::vector<std::string> lines = linesOf(text);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class TableCliTest : public testing::Test {
 protected:
  test::ProcessResult table(const std::vector<std::string>& args,
                            std::vector<std::function<void()>> setup = {}) {
    test::ProcessOptions options;
    options.args = args;
    options.workingDirectory = dir_.path();
    options.childSetup = std::move(setup);
    options.timeoutSeconds = 120;
    return test::runProcess(TOKSHUF_TABLE_BIN, options);
  }
  void write(const std::string& name, const std::string& content) {
    test::writeFile(dir_.file(name), content);
  }
  // A run "ruth" with a value of its own in every file: obs 1.5, mcm 2.5,
  // mcl 0.5, mch 3.5, except column V, which leaves the band.
  void writeRuth() {
    write("ruth.obs", profile({100, 200, 300}, "1.5000000", {"9.0000000", "1.0000000", "-1.0"}));
    write("ruth.mcm", profile({100, 200, 300}, "2.5000000"));
    write("ruth.mcl", profile({100, 200, 300}, "0.5000000"));
    write("ruth.mch", profile({100, 200, 300}, "3.5000000"));
  }

  test::TempDir dir_{"table-cli"};
};

TEST_F(TableCliTest, LongTableTracesEveryFileToItsRow) {
  writeRuth();
  write("acts.obs", profile({50, 100}, "7.25"));
  const test::ProcessResult r = table({"ruth.obs", "acts.obs"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> lines = linesOf(r.out);
  ASSERT_EQ(lines.size(), 1u + (3 + 2) * 24);
  EXPECT_EQ(lines[0], "text,chunk,N,measure,obs,mean,lower,upper,position");
  EXPECT_EQ(lines[1], "ruth,1,100,K,1.5000000,2.5000000,0.5000000,3.5000000,inside");
  EXPECT_EQ(lines[3], "ruth,1,100,V,9.0000000,2.5000000,0.5000000,3.5000000,above");
  EXPECT_EQ(lines[24 + 3], "ruth,2,200,V,1.0000000,2.5000000,0.5000000,3.5000000,inside");
  EXPECT_EQ(lines[48 + 3], "ruth,3,300,V,-1.0,2.5000000,0.5000000,3.5000000,below");
  // A text without Monte Carlo files: empty bounds and no position.
  EXPECT_EQ(lines[72 + 1], "acts,1,50,K,7.25,,,,");
  EXPECT_EQ(lines.back(), "acts,2,100,sLstdev,7.25,,,,");
}

TEST_F(TableCliTest, SummaryCountsPositions) {
  writeRuth();
  write("acts.obs", profile({50, 100}, "7.25"));
  const test::ProcessResult r = table({"--summary", "ruth.obs", "acts.obs"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  const std::vector<std::string> lines = linesOf(r.out);
  ASSERT_EQ(lines.size(), 1u + 2 * 24);
  EXPECT_EQ(lines[0], "text,measure,chunks,below,inside,above");
  EXPECT_EQ(lines[1], "ruth,K,3,0,3,0");
  EXPECT_EQ(lines[3], "ruth,V,3,1,1,1");
  EXPECT_EQ(lines[24 + 3], "acts,V,2,0,0,0");
}

TEST_F(TableCliTest, NonFiniteValuesAreNaNAndInf) {
  write("t.obs", profile({10, 20, 30}, "1", {"nan", "-nan", "inf"}));
  write("t.mcl", profile({10, 20, 30}, "0", {"-inf", "0", "0"}));
  write("t.mch", profile({10, 20, 30}, "2", {"2", "2", "2"}));
  const test::ProcessResult r = table({"t.obs"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_TRUE(hasLine(r.out, "t,1,10,V,NaN,,-Inf,2,")) << r.out;
  EXPECT_TRUE(hasLine(r.out, "t,2,20,V,NaN,,0,2,"));
  EXPECT_TRUE(hasLine(r.out, "t,3,30,V,Inf,,0,2,"));
  EXPECT_TRUE(hasLine(r.out, "t,3,30,K,1,,0,2,inside"));
}

TEST_F(TableCliTest, OutputFileReplacesItsTargetOnlyWhenComplete) {
  writeRuth();
  write("old.csv", "earlier table\n");
  const test::ProcessResult r = table({"-o", "old.csv", "ruth.obs"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Wrote old.csv (72 rows, 1 text)\n");
  EXPECT_EQ(linesOf(test::readFile(dir_.file("old.csv"))).size(), 73u);

  // A failed run leaves the earlier table and no temporary file behind.
  write("bad.obs", profile({1}, "1e999"));
  const std::vector<std::string> before = test::listDirectory(dir_.path());
  const std::string earlier = test::readFile(dir_.file("old.csv"));
  const test::ProcessResult bad = table({"ruth.obs", "bad.obs", "--output=old.csv"});
  EXPECT_TRUE(bad.exitedWith(1));
  EXPECT_EQ(bad.err,
            "tokshuf-table: bad.obs:2: the number \"1e999\" in column K is out of the range of "
            "a double\n");
  EXPECT_EQ(test::readFile(dir_.file("old.csv")), earlier);
  EXPECT_EQ(test::listDirectory(dir_.path()), before);

  // A file-size limit makes the write fail with a message, not a signal.
  const test::ProcessResult limited =
      table({"-o", "new.csv", "ruth.obs"}, {test::limitFileSize(1000)});
  EXPECT_TRUE(limited.exitedWith(1)) << limited.describe();
  EXPECT_EQ(limited.err, "tokshuf-table: cannot write new.csv: File too large\n");
  EXPECT_FALSE(test::fileExists(dir_.file("new.csv")));
  EXPECT_EQ(test::listDirectory(dir_.path()), before);
}

TEST_F(TableCliTest, RefusesWhatTokshufPlotRefuses) {
  writeRuth();
  write("other.obs", profile({100, 200}, "1"));
  write("other.mch", profile({100, 250}, "1"));
  write("many.obs", profile(std::vector<long long>(41, 5), "1"));
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"other.obs"}, "other.mch:3: N is 250 but other.obs:3 has 200; not the same run"},
      {{"ruth.obs", "./ruth.obs"},
       "./ruth.obs and ruth.obs are the same file; give each text once"},
      {{"many.obs"}, "many.obs:42: more than 40 chunk rows; tokshuf writes at most 40"},
      {{"missing.obs"}, "cannot open missing.obs: No such file or directory"},
      {{"/proc/self/mem"}, "cannot read /proc/self/mem"},  // a read error, not an empty file
      {{"-o", "ruth.mcl", "ruth.obs"}, "ruth.mcl is one of the inputs"},
      {{"new\n\x1b[1m.obs"}, "cannot open new??[1m.obs: No such file or directory"},
      {{}, "no profile file (try --help)"},
      {{"-k", "ruth.obs"}, "unknown option -k (try --help)"},
  };
  for (const auto& [args, message] : cases) {
    const test::ProcessResult r = table(args);
    EXPECT_TRUE(r.exitedWith(1)) << r.describe();
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tokshuf-table: " + message + "\n");
  }
  EXPECT_EQ(test::readFile(dir_.file("ruth.mcl")), profile({100, 200, 300}, "0.5000000"));
}

TEST_F(TableCliTest, HelpAndVersionGoToStandardOutput) {
  for (const char* flag : {"-h", "--help"}) {
    const test::ProcessResult r = table({flag});
    EXPECT_TRUE(r.exitedWith(0));
    EXPECT_EQ(r.out.rfind("usage: tokshuf-table [-o OUTPUT.csv] [--summary] TEXT.obs...\n", 0), 0u);
    EXPECT_EQ(r.err, "");
  }
  const test::ProcessResult version = table({"--version"});
  EXPECT_TRUE(version.exitedWith(0));
  EXPECT_EQ(version.out.rfind("tokshuf-table ", 0), 0u);
  EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '\n'), 1);

  // Standard output on a full device: the usage text is lost, so it fails.
  auto toFullDevice = [] {
    const int full = ::open("/dev/full", O_WRONLY);
    if (full >= 0) ::dup2(full, STDOUT_FILENO);
  };
  const test::ProcessResult full = table({"-h"}, {toFullDevice});
  EXPECT_TRUE(full.exitedWith(1)) << full.describe();
  EXPECT_EQ(full.err, "tokshuf-table: cannot write standard output\n");
}

// The table of a real run, read by pandas with its defaults: every measure
// column is numeric, nan and inf included.
TEST_F(TableCliTest, PandasReadsEveryMeasureColumnAsNumbers) {
  if (std::string(TOKSHUF_BIN).empty()) GTEST_SKIP() << "tokshuf is not built here";
  test::ProcessOptions probe;
  probe.args = {"-c", "import pandas"};
  if (!test::runProcess("/usr/bin/python3", probe).exitedWith(0)) {
    GTEST_SKIP() << "python3 with pandas is not installed";
  }
  // Few tokens, so the early chunks hold nan and inf.
  std::string zvc = "Word z\n";
  for (int i = 0; i < 40; ++i) {
    const std::string rank = std::to_string(1 + i % 7);
    zvc.append("w").append(rank).append(" ").append(rank).append("\n");
  }
  write("short.zvc", zvc);
  test::ProcessOptions run;
  run.args = {"-p20", "-k8", "short.zvc"};
  run.workingDirectory = dir_.path();
  ASSERT_TRUE(test::runProcess(TOKSHUF_BIN, run).exitedWith(0));
  ASSERT_TRUE(table({"-o", "short.csv", "short.obs"}).exitedWith(0));
  ASSERT_NE(test::readFile(dir_.file("short.csv")).find("NaN"), std::string::npos);

  test::ProcessOptions check;
  check.workingDirectory = dir_.path();
  check.args = {"-c",
                "import numpy as np, pandas as pd\n"
                "t = pd.read_csv('short.csv')\n"
                "assert len(t) == 8 * 24, len(t)\n"
                "for c in ['chunk', 'N', 'obs', 'mean', 'lower', 'upper']:\n"
                "    assert pd.api.types.is_numeric_dtype(t[c]), (c, t[c].dtype)\n"
                "assert t.obs.isna().any() or np.isinf(t.obs).any()\n"
                "assert set(t.position.dropna()) <= {'below', 'inside', 'above'}\n"
                "print('ok')\n"};
  const test::ProcessResult r = test::runProcess("/usr/bin/python3", check);
  EXPECT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.out, "ok\n");
}

}  // namespace
}  // namespace tokshuf
