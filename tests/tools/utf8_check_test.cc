#include "rank/utf8_check.h"

#include <gtest/gtest.h>

namespace tokshuf::rank {
namespace {

TEST(Utf8CheckTest, WellFormedTextPasses) {
  EXPECT_EQ(findInvalidUtf8(""), std::nullopt);
  EXPECT_EQ(findInvalidUtf8("plain ASCII\n"), std::nullopt);
  EXPECT_EQ(findInvalidUtf8("Straße λόγος 北京 \xF0\x9F\x98\x80"), std::nullopt);
}

TEST(Utf8CheckTest, ReportsTheOffsetOfTheFirstBadByte) {
  EXPECT_EQ(findInvalidUtf8("abc\xFF" "def"), 3u);
  EXPECT_EQ(findInvalidUtf8("\x80"), 0u);
  // A Latin-1 "é" (0xE9) followed by ASCII is a truncated 3-byte sequence.
  EXPECT_EQ(findInvalidUtf8("caf\xE9 au lait"), 3u);
  // Only the first fault counts.
  EXPECT_EQ(findInvalidUtf8("\xC3\xA9t\xC3\xA9\xC0\xAF \xFF"), 5u);
}

TEST(Utf8CheckTest, RejectsOverlongSurrogateAndOutOfRangeForms) {
  EXPECT_EQ(findInvalidUtf8("a\xC0\xAF"), 1u);          // overlong "/"
  EXPECT_EQ(findInvalidUtf8("ab\xED\xA0\x80"), 2u);     // U+D800
  EXPECT_EQ(findInvalidUtf8("\xF4\x90\x80\x80"), 0u);   // above U+10FFFF
}

TEST(Utf8CheckTest, TruncatedSequenceAtTheEnd) {
  EXPECT_EQ(findInvalidUtf8("ok \xE5\x8C"), 3u);
}

}  // namespace
}  // namespace tokshuf::rank
