// tokshuf-plot on profile files no tokshuf run writes: values out of the
// range of a double, too many rows, control characters and bytes that are
// not UTF-8 in the contents and in the file names. Each is refused with
// one clean message line or drawn into a well-formed picture.

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/process.h"

namespace tokshuf {
namespace {

const std::string kHeader =
    "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean sLstdev\n";

// A row of 24 equal fields as tokshuf prints them, with field `column`
// (1 = K) replaced by `field` when it is given.
std::string row(long long tokens, const std::string& field = "", int column = 0) {
  std::string line = std::to_string(tokens);
  for (int i = 1; i <= 24; ++i) line += " " + (i == column ? field : std::string("1.5000000"));
  return line + "\n";
}

class CraftedProfilesTest : public testing::Test {
 protected:
  test::ProcessResult plot(const std::vector<std::string>& args) {
    return test::runInDirectory(TOKSHUF_PLOT_BIN, dir_.path(), args);
  }
  void write(const std::string& name, const std::string& content) {
    test::writeFile(dir_.file(name), content);
  }
  // The run failed with exactly this one message and drew nothing.
  void expectRefused(const std::vector<std::string>& args, const std::string& message) {
    const test::ProcessResult r = plot(args);
    EXPECT_TRUE(r.exitedWith(1)) << r.describe();
    EXPECT_EQ(r.err, "tokshuf-plot: " + message + "\n");
    EXPECT_EQ(test::listDirectory(dir_.path()).size(), filesBefore_) << "an output was left";
  }
  void remember() { filesBefore_ = test::listDirectory(dir_.path()).size(); }

  test::TempDir dir_{"crafted-profiles"};
  std::size_t filesBefore_ = 0;
};

TEST_F(CraftedProfilesTest, NumbersOutOfTheRangeOfADoubleAreRefused) {
  write("big.obs", kHeader + row(10) + row(20, "1e400", 2));
  write("neg.obs", kHeader + row(10, "-1e400", 24));
  write("long.obs", kHeader + row(10, std::string(10'000'000, '7'), 1));
  remember();
  expectRefused({"big.obs"},
                "big.obs:3: the number \"1e400\" in column D is out of the range of a double");
  expectRefused({"neg.obs"},
                "neg.obs:2: the number \"-1e400\" in column sLstdev is out of the range of a "
                "double");
  expectRefused({"long.obs"}, "long.obs:2: the number \"" + std::string(200, '7') +
                                  "...\" in column K is out of the range of a double");
}

TEST_F(CraftedProfilesTest, NonFiniteValuesAsTokshufWritesThemAreDrawn) {
  write("t.obs",
        kHeader + row(10, "nan", 1) + row(20, "-nan", 2) + row(30, "inf", 3) + row(40, "-inf", 4));
  const test::ProcessResult r = plot({"t.obs", "t.svg"});
  EXPECT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_TRUE(test::fileExists(dir_.file("t.svg")));
}

TEST_F(CraftedProfilesTest, MoreThanFortyChunkRowsAreRefusedEarly) {
  std::string forty = kHeader;
  for (int chunk = 1; chunk <= 40; ++chunk) forty += row(chunk * 100);
  write("forty.obs", forty);
  EXPECT_TRUE(plot({"forty.obs", "forty.svg"}).exitedWith(0));

  std::string many = forty;
  for (int chunk = 41; chunk <= 100'000; ++chunk) many += row(chunk * 100);
  write("many.obs", many);
  // The Monte Carlo files are read with the same limit.
  write("t.obs", forty);
  write("t.mcl", forty + row(4100));
  remember();
  expectRefused({"many.obs"}, "many.obs:42: more than 40 chunk rows; tokshuf writes at most 40");
  expectRefused({"t.obs"}, "t.mcl:42: more than 40 chunk rows; tokshuf writes at most 40");
}

TEST_F(CraftedProfilesTest, MessagesShowControlCharactersAndBadBytesAsQuestionMarks) {
  write("t.obs", kHeader + row(10, "\x1b]0;owned\a\x1b[2J", 2));
  write("two\nlines\x1b[31m\xff.obs", "not a profile\n");
  remember();
  expectRefused({"t.obs"}, "t.obs:2: cannot read \"?]0;owned??[2J\" as a number in column D");
  expectRefused({"two\nlines\x1b[31m\xff.obs"},
                "two?lines?[31m?.obs:1: not a profile header (expected \"N K D V ... "
                "sLstdev\")");
  expectRefused({"gone\x07.obs"}, "cannot open gone?.obs: No such file or directory");
}

TEST_F(CraftedProfilesTest, FileNamesThatAreNotUtf8MakeAWellFormedPicture) {
  const std::string name = "caf\xe9 <b>&\x01.obs";
  write(name, kHeader + row(10) + row(20));
  const test::ProcessResult r = plot({name, "out.svg"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  const std::string svg = test::readFile(dir_.file("out.svg"));
  xmlDoc* doc =
      xmlReadMemory(svg.data(), static_cast<int>(svg.size()), "out.svg", nullptr, XML_PARSE_NONET);
  EXPECT_NE(doc, nullptr) << "not well-formed";
  xmlFreeDoc(doc);
  EXPECT_NE(svg.find("caf\xEF\xBF\xBD &lt;b&gt;&amp;?.obs"), std::string::npos);
  EXPECT_EQ(svg.find("<b>"), std::string::npos);
}

}  // namespace
}  // namespace tokshuf
