#include "util/printable.h"

#include <gtest/gtest.h>

namespace tokshuf::util {
namespace {

TEST(Printable, KeepsTextAndLettersOfEveryScript) {
  EXPECT_EQ(printable("genesis.obs"), "genesis.obs");
  EXPECT_EQ(printable("λόγος Straße 東京"), "λόγος Straße 東京");
}

TEST(Printable, TerminalControlsBecomeQuestionMarks) {
  EXPECT_EQ(printable("\x1b]0;title\x07\x1b[2J"), "?]0;title??[2J");
  EXPECT_EQ(printable("two\nlines\r"), "two?lines?");
  EXPECT_EQ(printable("del\x7f"), "del?");
  EXPECT_EQ(printable("c1 \xc2\x9b" "2J"), "c1 ?2J");  // U+009B, the one-byte CSI
}

TEST(Printable, BytesThatAreNotUtf8BecomeQuestionMarks) {
  EXPECT_EQ(printable("caf\xe9"), "caf?");
  EXPECT_EQ(printable("\xc0\xaf"), "??");          // overlong
  EXPECT_EQ(printable("\xed\xa0\x80"), "???");     // surrogate
  EXPECT_EQ(printable("\xe2\x82"), "??");          // cut short
  EXPECT_EQ(printable("\xf4\x90\x80\x80"), "????");  // beyond U+10FFFF
}

TEST(Printable, LongTextIsCutWithoutSplittingACharacter) {
  EXPECT_EQ(printable("abcdef", 3), "abc...");
  EXPECT_EQ(printable("abc", 3), "abc");
  EXPECT_EQ(printable("aé", 2), "a...");
}

}  // namespace
}  // namespace tokshuf::util
