#include "plot/xml_text.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdint>

namespace tokshuf::plot {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(XmlTextTest, MarkupCharactersAreEscaped) {
  EXPECT_EQ(xmlEscape("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d&apos;");
}

TEST(XmlTextTest, ValidUtf8IsKept) {
  EXPECT_EQ(xmlEscape("Stra\xC3\x9F"
                      "e \xE5\x8C\x97 \xF0\x9F\x98\x80 tab\there"),
            "Stra\xC3\x9F"
            "e \xE5\x8C\x97 \xF0\x9F\x98\x80 tab\there");
}

TEST(XmlTextTest, InvalidUtf8BecomesTheReplacementCharacter) {
  EXPECT_EQ(xmlEscape("caf\xE9.obs"), "caf" + kReplacement + ".obs");                // Latin-1
  EXPECT_EQ(xmlEscape("\xC0\xAF"), kReplacement + kReplacement);                     // overlong '/'
  EXPECT_EQ(xmlEscape("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement);  // surrogate
  EXPECT_EQ(xmlEscape("\xF4\x90\x80\x80"),
            kReplacement + kReplacement + kReplacement + kReplacement);    // past U+10FFFF
  EXPECT_EQ(xmlEscape("ab\xE5\x8C"), "ab" + kReplacement + kReplacement);  // cut short
}

TEST(XmlTextTest, CharactersXmlForbidsBecomeQuestionMarks) {
  EXPECT_EQ(xmlEscape(std::string("a\0b\x1b[2J\r\x7f", 9)), "a?b?[2J??");
  EXPECT_EQ(xmlEscape("\xC2\x85 \xEF\xBF\xBE \xEF\xBF\xBF"), "? ? ?");  // NEL, U+FFFE, U+FFFF
}

// Whatever the bytes, the escaped text is well-formed as an element's
// content and as an attribute value.
TEST(XmlTextTest, AnyBytesMakeWellFormedXml) {
  std::uint32_t state = 7;
  for (int trial = 0; trial < 2000; ++trial) {
    std::string bytes;
    const int length = 1 + trial % 12;
    for (int i = 0; i < length; ++i) {
      state = state * 1664525u + 1013904223u;
      bytes += static_cast<char>(state >> 24);
    }
    const std::string escaped = xmlEscape(bytes);
    const std::string document = "<t a=\"" + escaped + "\">" + escaped + "</t>";
    xmlDoc* doc = xmlReadMemory(document.data(), static_cast<int>(document.size()), "t.xml",
                                nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    EXPECT_NE(doc, nullptr) << escaped;
    xmlFreeDoc(doc);
  }
}

}  // namespace
}  // namespace tokshuf::plot
