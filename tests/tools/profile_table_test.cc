#include "plot/profile_table.h"
#include "profile_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>

namespace tokshuf::plot {
namespace {

const std::string kHeader =
    "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean sLstdev\n";

// A data row as tokshuf prints it: "%d" then 24 times " %10.7f".
std::string row(long long tokens, double value) {
  std::string line = std::to_string(tokens);
  char field[64];
  for (int i = 0; i < kMeasureCount; ++i) {
    std::snprintf(field, sizeof field, " %10.7f", value);
    line += field;
  }
  return line + "\n";
}

using testing::errorOf;
using testing::parse;

TEST(ProfileTableTest, ReadsRowsAsTokshufPrintsThem) {
  const ProfileTable table = parse(kHeader + row(100, 0.5) + row(200, 1234.5678901));
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0].tokens, 100);
  EXPECT_EQ(table.rows[0].line, 2);
  EXPECT_DOUBLE_EQ(table.rows[0].values[0], 0.5);
  EXPECT_EQ(table.rows[1].tokens, 200);
  EXPECT_DOUBLE_EQ(table.rows[1].values[23], 1234.5678901);
}

TEST(ProfileTableTest, ReadsNonFiniteFieldsAsGlibcWritesThem) {
  std::string line = "10";
  for (const char* field : {"       nan", "      -nan", "       inf", "      -inf"}) {
    line += std::string(" ") + field;
  }
  for (int i = 4; i < kMeasureCount; ++i) line += "  1.0000000";
  const ProfileTable table = parse(kHeader + line + "\n");
  const auto& v = table.rows[0].values;
  EXPECT_TRUE(std::isnan(v[0]));
  EXPECT_TRUE(std::isnan(v[1]));
  EXPECT_TRUE(std::isinf(v[2]) && v[2] > 0);
  EXPECT_TRUE(std::isinf(v[3]) && v[3] < 0);
  EXPECT_EQ(v[4], 1.0);
}

TEST(ProfileTableTest, AcceptsCarriageReturnLineEnds) {
  std::string text = std::regex_replace(kHeader + row(7, 2.0), std::regex("\n"), "\r\n");
  EXPECT_EQ(parse(text).rows.size(), 1u);
}

TEST(ProfileTableTest, WrongHeaderNamesLineOne) {
  EXPECT_EQ(errorOf("N K D\n" + row(1, 1)), "x.obs:1: not a profile header (expected \"N K D V ... sLstdev\")");
  EXPECT_EQ(errorOf(row(1, 1)), "x.obs:1: not a profile header (expected \"N K D V ... sLstdev\")");
  EXPECT_EQ(errorOf(""), "x.obs: empty file, no profile header");
}

TEST(ProfileTableTest, RaggedRowNamesItsLine) {
  std::string shortRow = row(300, 1.0);
  shortRow.resize(shortRow.size() - 12);  // drop the last field
  EXPECT_EQ(errorOf(kHeader + row(100, 1) + row(200, 1) + shortRow + "\n"),
            "x.obs:4: expected 25 fields, found 24");
}

TEST(ProfileTableTest, UnparsableNumberNamesLineAndColumn) {
  std::string bad = row(100, 1.0);
  bad.replace(bad.find("1.0000000", 14), 9, "1.00x0000");
  EXPECT_EQ(errorOf(kHeader + bad), "x.obs:2: cannot read \"1.00x0000\" as a number in column D");
  EXPECT_EQ(errorOf(kHeader + "1e2" + row(0, 1).substr(1)),
            "x.obs:2: cannot read token count \"1e2\"");
  EXPECT_EQ(errorOf(kHeader + "-5" + row(0, 1).substr(1)),
            "x.obs:2: cannot read token count \"-5\"");
}

TEST(ProfileTableTest, NumbersOutOfTheRangeOfADoubleNameLineAndColumn) {
  std::string big = row(100, 1.0);
  big.replace(big.find("1.0000000", 14), 9, "1e400");
  EXPECT_EQ(errorOf(kHeader + row(50, 1) + big),
            "x.obs:3: the number \"1e400\" in column D is out of the range of a double");
  std::string huge = row(100, 1.0);
  huge.replace(huge.find("1.0000000"), 9, std::string(1000000, '9'));
  EXPECT_EQ(errorOf(kHeader + huge),
            "x.obs:2: the number \"" + std::string(200, '9') +
                "...\" in column K is out of the range of a double");
  // The smallest subnormal is a double, and the text is kept as written.
  std::string tiny = row(100, 1.0);
  tiny.replace(tiny.find("1.0000000"), 9, "5e-324");
  const ProfileTable table = parse(kHeader + tiny);
  EXPECT_GT(table.rows[0].values[0], 0.0);
  EXPECT_EQ(table.rows[0].texts[0], "5e-324");
  EXPECT_EQ(table.rows[0].texts[1], "1.0000000");
}

TEST(ProfileTableTest, AtMostFortyChunkRows) {
  std::string text = kHeader;
  for (int chunk = 1; chunk <= kMaxChunkRows; ++chunk) text += row(chunk * 10, 1.0);
  EXPECT_EQ(parse(text).rows.size(), 40u);
  EXPECT_EQ(errorOf(text + "\n" + row(410, 1.0)),
            "x.obs:43: more than 40 chunk rows; tokshuf writes at most 40");
}

TEST(ProfileTableTest, MessagesShowOutsideBytesAsQuestionMarks) {
  std::string bad = row(100, 1.0);
  bad.replace(bad.find("1.0000000"), 9, "\x1b]0;x\a\x1b[2J\xff");
  std::istringstream in(kHeader + bad);
  try {
    parseProfile(in, "dir\nname\x1b.obs");
    FAIL() << "no error";
  } catch (const ProfileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "dir?name?.obs:2: cannot read \"?]0;x??[2J?\" as a number in column K");
  }
}

TEST(ProfileTableTest, HeaderWithoutRowsIsNotAProfile) {
  EXPECT_EQ(errorOf(kHeader), "x.obs:2: no data rows after the header");
}

// Damaged files are either still profile files or end in a ProfileError
// that names the file; none crashes the reader or escapes as another
// exception.
TEST(ProfileTableTest, DamagedFilesAreRefusedOrReadWhole) {
  const std::string good = kHeader + row(100, 0.5) + row(200, -1.25) + row(300, 1e6);
  uint32_t state = 2024;
  auto next = [&] { return state = state * 1664525u + 1013904223u; };
  const std::string alphabet = "0123456789 .-+eEnaifx\n\r\t";
  for (int trial = 0; trial < 3000; ++trial) {
    std::string text = good;
    const int edits = 1 + next() % 4;
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = next() % text.size();
      switch (next() % 3) {
        case 0: text[at] = alphabet[next() % alphabet.size()]; break;
        case 1: text.erase(at, 1 + next() % 12); break;
        default: text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), alphabet[next() % alphabet.size()]);
      }
      if (text.empty()) text.push_back('x');
    }
    try {
      const ProfileTable table = parse(text);
      for (const ProfileRow& r : table.rows) EXPECT_GE(r.line, 2);
    } catch (const ProfileError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("x.obs:", 0), 0u) << e.what();
    }
  }
}

TEST(ProfileTableTest, MissingFileIsReported) {
  try {
    readProfile("/nonexistent/dir/t.obs");
    FAIL() << "no error";
  } catch (const ProfileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("cannot open /nonexistent/dir/t.obs: ", 0), 0u);
  }
}

}  // namespace
}  // namespace tokshuf::plot
