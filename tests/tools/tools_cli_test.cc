// Runs the built tokshuf-rank and tokshuf-plot as a user would, and takes a
// converted text through tokshuf to check that tokshuf counts what the
// converter wrote.

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

#include "plot/profile_table.h"
#include "support/files.h"
#include "support/process.h"

#ifndef TOKSHUF_BIN
#define TOKSHUF_BIN ""
#endif

namespace tokshuf {
namespace {

namespace fs = std::filesystem;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string slurp(const fs::path& path) { return test::readFile(path.string()); }

class ToolsCliTest : public testing::Test {
 protected:
  // A directory of its own, so that runs of the suite side by side never
  // share one.
  void SetUp() override {
    scratch_ = std::make_unique<test::TempDir>("tools_cli");
    dir_ = scratch_->path();
  }
  void TearDown() override { scratch_.reset(); }

  Result run(const std::string& program, const std::vector<std::string>& args,
             const std::string& stdinFile = "") {
    test::ProcessOptions options;
    options.args = args;
    options.workingDirectory = dir_.string();
    if (!stdinFile.empty()) options.input = test::readFile(stdinFile);
    const test::ProcessResult process = test::runProcess(program, options);
    Result result;
    result.status = process.exited ? process.exitCode : -1;
    result.out = process.out;
    result.err = process.err;
    return result;
  }
  fs::path write(const std::string& name, const std::string& text) {
    test::writeFile((dir_ / name).string(), text);
    return dir_ / name;
  }

  std::unique_ptr<test::TempDir> scratch_;
  fs::path dir_;
};

// A text of `tokens` words drawn from a skewed vocabulary by a fixed
// generator: frequent short words, a long tail of rare ones, mixed case
// and punctuation, so the converter has real folding and ranking to do.
std::string syntheticText(int tokens) {
  const char* syllables[] = {"ka", "lo", "mi", "ne", "su", "ta", "vo", "ri", "de", "ga"};
  uint32_t state = 12345;
  std::string text;
  for (int i = 0; i < tokens; ++i) {
    state = state * 1103515245u + 12345u;
    const double u = ((state >> 8) & 0xFFFF) / 65536.0;
    int index = static_cast<int>(u * u * u * 1500);
    std::string word;
    do {
      word += syllables[index % 10];
      index /= 10;
    } while (index > 0);
    if (i % 7 == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
    text += word;
    text += (i % 13 == 12) ? ".\n" : (i % 5 == 4 ? ", " : " ");
  }
  return text;
}

struct Zvc {
  std::vector<std::string> words;
  std::vector<int> ranks;
};

Zvc readZvc(const fs::path& path) {
  std::ifstream in(path);
  Zvc zvc;
  std::string word, rank;
  in >> word >> rank;
  EXPECT_EQ(word + " " + rank, "Word z");
  while (in >> word >> rank) {
    zvc.words.push_back(word);
    zvc.ranks.push_back(std::stoi(rank));
  }
  return zvc;
}

// "Wrote X (N word tokens, V word types)" -> {N, V}
std::pair<long, long> reportedCounts(const std::string& err) {
  std::smatch m;
  if (!std::regex_search(err, m, std::regex(R"(\((\d+) word tokens, (\d+) word types\))"))) {
    ADD_FAILURE() << "no counts in: " << err;
    return {-1, -1};
  }
  return {std::stol(m[1]), std::stol(m[2])};
}

int lineCount(const std::string& s) {
  return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

TEST_F(ToolsCliTest, RankWritesTheRankedTokenFileBesideTheInput) {
  write("story.txt", "The cat saw the dog.\nTHE END, the end!\n");
  const Result r = run(TOKSHUF_RANK_BIN, {"story.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(slurp(dir_ / "story.zvc"),
            "Word z\nthe 1\ncat 3\nsaw 4\nthe 1\ndog 5\nthe 1\nend 2\nthe 1\nend 2\n");
  EXPECT_EQ(r.err, "Wrote story.zvc (9 word tokens, 5 word types)\n");
  EXPECT_EQ(r.out, "");
}

TEST_F(ToolsCliTest, RankReadsStandardInputAndWritesStandardOutput) {
  const fs::path in = write("in.txt", "b a b\n");
  const Result r = run(TOKSHUF_RANK_BIN, {"-c", "-"}, in.string());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Word z\nb 1\na 2\nb 1\n");
}

TEST_F(ToolsCliTest, RankRefusesInvalidUtf8WithTheByteOffset) {
  write("latin1.txt", "na\xC3\xAFve caf\xE9 au lait\n");
  const Result r = run(TOKSHUF_RANK_BIN, {"latin1.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "tokshuf-rank: latin1.txt: invalid UTF-8 at byte offset 10\n");
  EXPECT_FALSE(fs::exists(dir_ / "latin1.zvc"));
}

TEST_F(ToolsCliTest, RankErrorsAreOneLine) {
  write("same.txt", "words\n");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"-q", "x.txt"}, {"missing.txt"}, {"a", "b", "c"}, {"."}, {"same.txt", "./same.txt"}}) {
    const Result r = run(TOKSHUF_RANK_BIN, args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
    EXPECT_EQ(r.err.rfind("tokshuf-rank: ", 0), 0u) << r.err;
  }
}

TEST_F(ToolsCliTest, HelpGoesToStandardOutput) {
  for (const char* program : {TOKSHUF_RANK_BIN, TOKSHUF_PLOT_BIN}) {
    const Result r = run(program, {"-h"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("usage: ", 0), 0u) << r.out;
    EXPECT_EQ(r.err, "");
  }
}

// 22001 word types: one more than tokshuf's tables hold.
std::string tooManyTypes() {
  std::string text;
  for (int i = 0; i < 22001; ++i) {
    std::string word;
    for (int n = i; word.empty() || n > 0; n /= 26) word += static_cast<char>('a' + n % 26);
    text += "x" + word + " common\n";
  }
  return text;
}

TEST_F(ToolsCliTest, RankWarnsAboutTextsTokshufRefusesButWritesThem) {
  write("big.txt", tooManyTypes());
  const Result r = run(TOKSHUF_RANK_BIN, {"big.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("warning: big.txt has 44002 tokens and 22002 word types; tokshuf "
                       "accepts at most 220000 tokens and 22000 word types"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(reportedCounts(r.err), (std::pair<long, long>{44002, 22002}));
  EXPECT_EQ(readZvc(dir_ / "big.zvc").ranks.size(), 44002u);
}

TEST_F(ToolsCliTest, RankCanKeepTheLongestPrefixThatFits) {
  write("big.txt", tooManyTypes());
  const Result r = run(TOKSHUF_RANK_BIN, {"-t", "big.txt", "cut.zvc"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Each line adds a new word and "common"; the 21999th new word is the
  // 22000th type, so the cut falls just before the 22000th new word.
  EXPECT_EQ(reportedCounts(r.err), (std::pair<long, long>{43998, 22000}));
  const Zvc zvc = readZvc(dir_ / "cut.zvc");
  EXPECT_EQ(*std::max_element(zvc.ranks.begin(), zvc.ranks.end()), 22000);
  ASSERT_EQ(zvc.words[1], "common");  // ranks are those of the prefix
  EXPECT_EQ(zvc.ranks[1], 1);
  EXPECT_EQ(zvc.ranks[0], 2);
}

TEST_F(ToolsCliTest, RankTokenLimit) {
  std::string text;
  for (int i = 0; i < 220001; ++i) text += "a ";
  write("long.txt", text);
  EXPECT_NE(run(TOKSHUF_RANK_BIN, {"long.txt"}).err.find("220001 tokens and 1 word types"),
            std::string::npos);
  const Result cut = run(TOKSHUF_RANK_BIN, {"-t", "long.txt"});
  EXPECT_EQ(reportedCounts(cut.err), (std::pair<long, long>{220000, 1}));
}

class RoundTripTest : public ToolsCliTest {
 protected:
  void SetUp() override {
    if (std::string(TOKSHUF_BIN).empty()) GTEST_SKIP() << "tokshuf is not built here";
    ToolsCliTest::SetUp();
  }
};

// What tokshuf must find at every chunk boundary, counted directly from
// the ranks the converter wrote.
void expectCountsMatch(const Zvc& zvc, const plot::ProfileTable& obs) {
  for (const plot::ProfileRow& row : obs.rows) {
    std::map<int, int> frequency;
    for (long long i = 0; i < row.tokens; ++i) ++frequency[zvc.ranks[i]];
    int once = 0;
    for (auto [rank, f] : frequency) once += f == 1;
    EXPECT_EQ(row.values[2], static_cast<double>(frequency.size())) << "V at N=" << row.tokens;
    EXPECT_EQ(row.values[3], once) << "V1 at N=" << row.tokens;
    EXPECT_EQ(row.values[21], frequency[1]) << "fthe at N=" << row.tokens;
    EXPECT_EQ(row.values[20], frequency[4]) << "fa at N=" << row.tokens;
  }
}

TEST_F(RoundTripTest, TokshufCountsWhatTheConverterWrote) {
  write("text.txt", syntheticText(6000) +
                        "Straße STRASSE l'homme L'Homme IJs ijs λόγος ΛΌΓΟΣ 北京 北京\n");
  const Result rank = run(TOKSHUF_RANK_BIN, {"text.txt"});
  ASSERT_EQ(rank.status, 0) << rank.err;
  const auto [tokens, types] = reportedCounts(rank.err);
  const Zvc zvc = readZvc(dir_ / "text.zvc");
  ASSERT_EQ(static_cast<long>(zvc.ranks.size()), tokens);

  const Result tokshuf = run(TOKSHUF_BIN, {"-k8", "text.zvc"});
  ASSERT_EQ(tokshuf.status, 0) << tokshuf.err;
  EXPECT_NE(tokshuf.err.find(std::to_string(tokens) + " word tokens)"), std::string::npos)
      << tokshuf.err;
  const plot::ProfileTable obs = plot::readProfile((dir_ / "text.obs").string());
  ASSERT_EQ(obs.rows.size(), 8u);
  EXPECT_EQ(obs.rows.back().tokens, tokens);
  EXPECT_EQ(obs.rows.back().values[2], static_cast<double>(types));
  expectCountsMatch(zvc, obs);
}

TEST_F(RoundTripTest, ThreeCommandsFromTextToPicture) {
  write("text.txt", syntheticText(3000));
  ASSERT_EQ(run(TOKSHUF_RANK_BIN, {"text.txt"}).status, 0);
  const Result tokshuf = run(TOKSHUF_BIN, {"-p20", "-k6", "text.zvc"});
  ASSERT_EQ(tokshuf.status, 0) << tokshuf.err;
  const Result plot = run(TOKSHUF_PLOT_BIN, {"text.obs"});
  ASSERT_EQ(plot.status, 0) << plot.err;
  EXPECT_EQ(plot.err, "Wrote text.svg (24 panels, 6 chunks)\n");

  const std::string svg = slurp(dir_ / "text.svg");
  xmlDoc* doc = xmlReadMemory(svg.data(), static_cast<int>(svg.size()), "text.svg", nullptr,
                              XML_PARSE_NONET);
  ASSERT_NE(doc, nullptr);
  xmlFreeDoc(doc);
  auto occurrences = [&](const std::string& needle) {
    std::size_t n = 0;
    for (auto at = svg.find(needle); at != std::string::npos; at = svg.find(needle, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(occurrences("<g class=\"panel\""), 24u);
  EXPECT_GE(occurrences("<polygon class=\"band\""), 24u);
  EXPECT_EQ(occurrences("<path class=\"mean\""), 24u);
  EXPECT_NE(svg.find("text.obs \u2014 6 chunks, 3000 tokens"), std::string::npos);
}

TEST_F(RoundTripTest, GenesisSamplePlots) {
  fs::copy_file(GENESIS_ZVC, dir_ / "genesis.zvc");
  ASSERT_EQ(run(TOKSHUF_BIN, {"-k5", "genesis.zvc"}).status, 0);
  const Result plot = run(TOKSHUF_PLOT_BIN, {"genesis.obs", "g.svg"});
  ASSERT_EQ(plot.status, 0) << plot.err;
  EXPECT_NE(slurp(dir_ / "g.svg").find("genesis.obs \u2014 5 chunks, 38265 tokens"),
            std::string::npos);
}

TEST_F(ToolsCliTest, PlotRefusesFilesOfDifferentRunsAndWritesNothing) {
  const std::string header =
      "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean sLstdev\n";
  std::string ones;
  for (int i = 0; i < 24; ++i) ones += "  1.0000000";
  write("t.obs", header + "10" + ones + "\n20" + ones + "\n");
  write("t.mcm", header + "10" + ones + "\n21" + ones + "\n");
  const Result r = run(TOKSHUF_PLOT_BIN, {"t.obs"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "tokshuf-plot: t.mcm:3: N is 21 but t.obs:3 has 20; not the same run\n");
  EXPECT_FALSE(fs::exists(dir_ / "t.svg"));
}

TEST_F(ToolsCliTest, PlotErrorsAreOneLine) {
  write("bad.obs", "not a profile\n");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"-x", "a.obs"}, {"missing.obs"}, {"bad.obs"}, {"a", "b", "c"}, {"."}}) {
    const Result r = run(TOKSHUF_PLOT_BIN, args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
    EXPECT_EQ(r.err.rfind("tokshuf-plot: ", 0), 0u) << r.err;
  }
  EXPECT_EQ(run(TOKSHUF_PLOT_BIN, {"bad.obs"}).err,
            "tokshuf-plot: bad.obs:1: not a profile header (expected \"N K D V ... sLstdev\")\n");
}

}  // namespace
}  // namespace tokshuf
