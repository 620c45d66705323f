// The ranked-token file: opening it, its name, header handling, record
// checks, the token and rank limits, and line ends.

#include <ostream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

class InputFileTest : public ::testing::Test {
 protected:
  ProcessResult run(const std::vector<std::string>& args) {
    return runTokshuf(dir_, args);
  }
  std::vector<std::string> files() { return listDirectory(dir_.path()); }
  std::string loadedLine(const ProcessResult& result) {
    return result.err.substr(0, result.err.find('\n') + 1);
  }

  TempDir dir_;
};

std::vector<int> repeated(int rank, int times) { return std::vector<int>(times, rank); }

TEST_F(InputFileTest, MissingInputFile) {
  const ProcessResult result = run({"nothere.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile nothere.zvc\n");
  EXPECT_TRUE(files().empty());
}

TEST_F(InputFileTest, DirectoryAsInputIsRefused) {
  ASSERT_EQ(mkdir(dir_.file("d.zvc").c_str(), 0755), 0);
  const ProcessResult result = run({"d.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: can't open textfile d.zvc\n");
  EXPECT_EQ(files(), std::vector<std::string>{"d.zvc"});
}

TEST_F(InputFileTest, NameShorterThanFourCharactersIsRefused) {
  writeFile(dir_.file("abc"), zvcText({1, 2, 1}));
  const ProcessResult result = run({"abc"});
  expectOneErrorLine(result);
  EXPECT_EQ(files(), std::vector<std::string>{"abc"});
}

TEST_F(InputFileTest, NameOfExactlyFourCharactersLeavesOnlyTheExtensions) {
  writeFile(dir_.file("abcd"), zvcText({1, 2, 1}));
  const ProcessResult result = run({"-p2", "abcd"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(files(), (std::vector<std::string>{".mch", ".mcl", ".mcm", ".obs", "abcd"}));
}

TEST_F(InputFileTest, LongNamesAndDirectoryParts) {
  const std::string dirName = std::string(60, 'd');
  ASSERT_EQ(mkdir(dir_.file(dirName).c_str(), 0755), 0);
  const std::string base = dirName + "/" + std::string(70, 'n');
  writeFile(dir_.file(base + ".zvc"), zvcText({1, 2, 1, 3}));
  const ProcessResult result = run({"-p3", base + ".zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(loadedLine(result), "Loaded " + base + ".zvc (4 word tokens)\n");
  std::vector<std::string> expected = profileNames(std::string(70, 'n'));
  expected.push_back(std::string(70, 'n') + ".zvc");
  EXPECT_EQ(listDirectory(dir_.file(dirName)), expected);
  EXPECT_EQ(files(), std::vector<std::string>{dirName});
}

// The output names (255 characters) are valid file names; the temporary
// files written beside them must not need longer ones.
TEST_F(InputFileTest, NamesAtTheFileSystemLimit) {
  const std::string base(251, 'n');
  writeFile(dir_.file(base + ".zvc"), zvcText({1, 2, 1}));
  const ProcessResult result = run({"-p2", base + ".zvc"});
  EXPECT_TRUE(result.exitedWith(0)) << result.describe();
  std::vector<std::string> expected = profileNames(base);
  expected.push_back(base + ".zvc");
  EXPECT_EQ(files(), expected);
}

TEST_F(InputFileTest, LastFourCharactersAreReplacedWhateverTheyAre) {
  writeFile(dir_.file("text.txt"), zvcText({1, 2, 1}));
  ASSERT_TRUE(run({"text.txt"}).exitedWith(0));
  EXPECT_EQ(files(), (std::vector<std::string>{"text.obs", "text.txt"}));
}

TEST_F(InputFileTest, EmptyFileAndHeaderOnlyFileHaveNoTokens) {
  for (const std::string content : {"", "Word z\n", "Word z", "  \n\r\n\t"}) {
    SCOPED_TRACE("content [" + content + "]");
    writeFile(dir_.file("e.zvc"), content);
    const ProcessResult result = run({"-k3", "e.zvc"});
    ASSERT_TRUE(result.exitedWith(0)) << result.describe();
    EXPECT_EQ(loadedLine(result), "Loaded e.zvc (0 word tokens)\n");
    const Profile obs = readProfile(dir_, "e.obs");
    ASSERT_EQ(obs.rowCount(), 3);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(obs.text(row, "N"), "0");
  }
}

TEST_F(InputFileTest, HeaderIsSkipped) {
  writeFile(dir_.file("t.zvc"), "anything goes\n" + zvcText({1, 2, 1}, false));
  const ProcessResult result = run({"-k1", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(loadedLine(result), "Loaded t.zvc (3 word tokens)\n");
  EXPECT_EQ(readProfile(dir_, "t.obs").value(0, "V"), 2);
}

TEST_F(InputFileTest, FileWithoutHeaderLosesItsFirstRecordWithoutOptionH) {
  writeFile(dir_.file("t.zvc"), zvcText({3, 2, 1, 2}, false));
  const ProcessResult result = run({"-k1", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(loadedLine(result), "Loaded t.zvc (3 word tokens)\n");
  EXPECT_EQ(readProfile(dir_, "t.obs").value(0, "V"), 2);
}

TEST_F(InputFileTest, OptionHReadsEveryRecord) {
  writeFile(dir_.file("t.zvc"), zvcText({3, 2, 1, 2}, false));
  const ProcessResult result = run({"-H", "-k1", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(loadedLine(result), "Loaded t.zvc (4 word tokens)\n");
  EXPECT_EQ(readProfile(dir_, "t.obs").value(0, "V"), 3);
}

TEST_F(InputFileTest, OptionHOnFileWithHeaderReportsTheHeaderRank) {
  writeFile(dir_.file("t.zvc"), zvcText({1, 2, 1}));
  const ProcessResult result = run({"-H", "t.zvc"});
  expectOneErrorLine(result);
  EXPECT_NE(result.err.find("t.zvc"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("line 1"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("\"z\""), std::string::npos) << result.err;
  EXPECT_EQ(files(), std::vector<std::string>{"t.zvc"});
}

TEST_F(InputFileTest, AnyWhiteSpaceSeparatesFields) {
  writeFile(dir_.file("t.zvc"), "Word\tz  \n\n the\t1 \f\v a  2\n\n\nthe 1 of\n\n4\n");
  const ProcessResult result = run({"-k1", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(loadedLine(result), "Loaded t.zvc (4 word tokens)\n");
  EXPECT_EQ(readProfile(dir_, "t.obs").value(0, "fa"), 1);
}

TEST_F(InputFileTest, WordsOfAnyLengthAndBytes) {
  const std::string longWord(5000, 'w');
  const std::string withNul("n\0l", 3);
  writeFile(dir_.file("t.zvc"), "Word z\n" + longWord + " 1\n\xff\xfe\x01 2\n" + longWord +
                                    "x 1\n" + withNul + " 1\n");
  const ProcessResult result = run({"-k1", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(loadedLine(result), "Loaded t.zvc (4 word tokens)\n");
  EXPECT_EQ(readProfile(dir_, "t.obs").value(0, "fthe"), 3);
}

TEST_F(InputFileTest, ExplicitPlusSignOnRank) {
  writeFile(dir_.file("t.zvc"), "Word z\nthe +1\na 2\n");
  const ProcessResult result = run({"-k1", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(readProfile(dir_, "t.obs").value(0, "fthe"), 1);
}

// A long rank field is still a decimal integer when its value fits an int.
TEST_F(InputFileTest, ZeroPaddedRankOfAnyLengthIsADecimalInteger) {
  writeFile(dir_.file("t.zvc"), "Word z\nthe " + std::string(60, '0') + "1\na 2\n");
  const ProcessResult result = run({"-k1", "t.zvc"});
  EXPECT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(loadedLine(result), "Loaded t.zvc (2 word tokens)\n");
}

struct BadRecord {
  std::string name;     // test name suffix
  std::string content;  // the whole file
  std::string line;     // "line N" of the offending field
  std::string field;    // text the message must show; empty: "rank"
};

void PrintTo(const BadRecord& bad, std::ostream* out) {
  *out << ::testing::PrintToString(bad.content);
}

class BadRecordTest : public InputFileTest,
                      public ::testing::WithParamInterface<BadRecord> {};

TEST_P(BadRecordTest, RefusedWithOneLineNamingFileLineAndField) {
  const BadRecord& bad = GetParam();
  writeFile(dir_.file("bad.zvc"), bad.content);
  const ProcessResult result = run({"-p5", "bad.zvc"});
  expectOneErrorLine(result);
  EXPECT_NE(result.err.find("bad.zvc"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find(bad.line + ":"), std::string::npos) << result.err;
  const std::string field = bad.field.empty() ? "rank" : "\"" + bad.field + "\"";
  EXPECT_NE(result.err.find(field), std::string::npos) << result.err;
  EXPECT_EQ(files(), std::vector<std::string>{"bad.zvc"});
}

INSTANTIATE_TEST_SUITE_P(
    Records, BadRecordTest,
    ::testing::Values(
        // The line of the word, not the line after it.
        BadRecord{"MissingRankAtEndBeforeLineFeed", "Word z\nthe 1\na 2\nlast\n", "line 4", ""},
        BadRecord{"MissingRankAtEndOfFile", "Word z\nthe 1\na 2\nlast", "line 4", ""},
        BadRecord{"MissingRankBeforeBlankLines", "Word z\nthe 1\nlast \r\n\n\t\n", "line 3", ""},
        BadRecord{"LettersAsRank", "Word z\nthe 1\nword abc\nthe 1\n", "line 3", "abc"},
        BadRecord{"LettersGluedToRank", "Word z\nthe 1\nword 12abc\n", "line 3", "12abc"},
        BadRecord{"RankTooLargeForInt", "Word z\nthe 1\nthe 1\nword 99999999999\n", "line 4", "99999999999"},
        BadRecord{"RankJustAboveIntMax", "Word z\nword 2147483648\n", "line 2", "2147483648"},
        BadRecord{"RankZero", "Word z\nword 0\n", "line 2", "0"},
        BadRecord{"NegativeRank", "Word z\nthe 1\n\n\nword -3\n", "line 5", "-3"},
        BadRecord{"LettersAsRankInCrLfFile", "Word z\r\nthe 1\r\nword x\r\n", "line 3", "x"},
        BadRecord{"DecimalPointInRank", "Word z\nword 1.5\n", "line 2", "1.5"}),
    [](const ::testing::TestParamInfo<BadRecord>& info) { return info.param.name; });

// A word whose line lacks its rank: the next record's word is read as the
// rank, and the message names both places.
class MissingRankTest : public InputFileTest {
 protected:
  void expectRefusal(const std::string& content, const std::string& message) {
    writeFile(dir_.file("t.zvc"), content);
    const ProcessResult result = run({"t.zvc"});
    EXPECT_TRUE(result.exitedWith(1)) << result.describe();
    EXPECT_EQ(result.err, message);
    EXPECT_EQ(files(), std::vector<std::string>{"t.zvc"});
  }
};

TEST_F(MissingRankTest, MessageNamesTheWordAndItsLine) {
  expectRefusal("Word z\na 1\nb\nc 5\n",
                "tokshuf: t.zvc, line 4: rank field \"c\" is not a decimal integer that "
                "fits an int (the word \"b\" on line 3 lacks its rank)\n");
}

TEST_F(MissingRankTest, BeforeARankBelowOneTheWordIsNamedToo) {
  expectRefusal("Word z\nthe 1\n\xce\xbb\xcf\x8c\n\n0 2\n",
                "tokshuf: t.zvc, line 5: rank field \"0\" is below 1 (the word "
                "\"\xce\xbb\xcf\x8c\" on line 3 lacks its rank)\n");
}

TEST_F(MissingRankTest, BadRankOnTheLineOfItsWordNamesNoOtherWord) {
  expectRefusal("Word z\nthe 1\nword abc\n",
                "tokshuf: t.zvc, line 3: rank field \"abc\" is not a decimal integer "
                "that fits an int\n");
}

TEST_F(MissingRankTest, LongWordIsShownCutShort) {
  writeFile(dir_.file("t.zvc"), "Word z\n" + std::string(50, 'w') + "\nnext 1\n");
  const ProcessResult result = run({"t.zvc"});
  expectOneErrorLine(result);
  EXPECT_NE(result.err.find("(the word \"" + std::string(40, 'w') + "...\" on line 2 "
                            "lacks its rank)"),
            std::string::npos)
      << result.err;
}

class InputLimitTest : public InputFileTest {
 protected:
  ProcessResult runOn(const std::vector<int>& ranks) {
    writeFile(dir_.file("big.zvc"), zvcText(ranks));
    return run({"-k1", "big.zvc"});
  }
  void expectLimitError(const ProcessResult& result, const std::string& message) {
    EXPECT_TRUE(result.exitedWith(1)) << result.describe();
    EXPECT_EQ(result.err, message);
    EXPECT_EQ(files(), std::vector<std::string>{"big.zvc"});
  }
};

TEST_F(InputLimitTest, Exactly220000TokensAreAccepted) {
  const ProcessResult result = runOn(repeated(2, 220000));
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(loadedLine(result), "Loaded big.zvc (220000 word tokens)\n");
}

TEST_F(InputLimitTest, Token220001IsRefused) {
  expectLimitError(runOn(repeated(2, 220001)),
                   "tokshuf: ERROR: text length exceeds array bounds\n");
}

TEST_F(InputLimitTest, Rank22000IsAccepted) {
  const ProcessResult result = runOn({1, 22000, 1});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(readProfile(dir_, "big.obs").value(0, "V"), 2);
}

TEST_F(InputLimitTest, Rank22001IsRefused) {
  expectLimitError(runOn({1, 22001, 1}),
                   "tokshuf: ERROR: number of types exceeds array bounds\n");
}

TEST_F(InputLimitTest, TextLengthIsReportedWhenBothLimitsAreBroken) {
  std::vector<int> ranks = repeated(1, 220000);
  ranks.push_back(22001);
  expectLimitError(runOn(ranks), "tokshuf: ERROR: text length exceeds array bounds\n");
}

TEST_F(InputLimitTest, OneWordOccurring220000Times) {
  const ProcessResult result = runOn(repeated(1, 220000));
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const Profile obs = readProfile(dir_, "big.obs");
  EXPECT_EQ(obs.value(0, "V"), 1);
  EXPECT_EQ(obs.value(0, "V1"), 0);
  EXPECT_EQ(obs.value(0, "fthe"), 220000);
  EXPECT_EQ(obs.value(0, "fa"), 0);
}

TEST(LineEndTest, CrLfFileGivesTheSameFilesAsLfFile) {
  std::vector<int> ranks = readRanks(genesisPath());
  ranks.resize(3000);
  TempDir lf, crlf;
  writeFile(lf.file("g.zvc"), zvcText(ranks, true, "\n"));
  writeFile(crlf.file("g.zvc"), zvcText(ranks, true, "\r\n"));
  const ProcessResult lfRun = runTokshuf(lf, {"-p20", "g.zvc"});
  const ProcessResult crlfRun = runTokshuf(crlf, {"-p20", "g.zvc"});
  ASSERT_TRUE(lfRun.exitedWith(0)) << lfRun.describe();
  ASSERT_TRUE(crlfRun.exitedWith(0)) << crlfRun.describe();
  EXPECT_EQ(lfRun.err, crlfRun.err);
  for (const std::string& name : profileNames("g")) {
    EXPECT_EQ(readFile(lf.file(name)), readFile(crlf.file(name))) << name;
  }
}

}  // namespace
}  // namespace tokshuf::test
