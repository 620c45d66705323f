// Word boundaries and case folding on the languages a researcher is most
// likely to feed in; each case pins a decision that changes type counts.

#include "rank/word_segmenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tokshuf::rank {
namespace {

using Words = std::vector<std::string>;

Words folded(const std::string& text) { return WordSegmenter({}).words(text); }

Words withCase(const std::string& text) {
  SegmenterOptions options;
  options.keepCase = true;
  return WordSegmenter(options).words(text);
}

TEST(WordSegmenterTest, EnglishDropsPunctuationAndFoldsCase) {
  EXPECT_EQ(folded("In the beginning God created the heaven and the earth."),
            (Words{"in", "the", "beginning", "god", "created", "the", "heaven", "and", "the",
                   "earth"}));
  EXPECT_EQ(folded("\"Hello,\" she said -- twice!"), (Words{"hello", "she", "said", "twice"}));
}

TEST(WordSegmenterTest, ApostropheBetweenLettersStaysInsideTheWord) {
  EXPECT_EQ(folded("Don't stop; it's Noah's ark."),
            (Words{"don't", "stop", "it's", "noah's", "ark"}));
}

TEST(WordSegmenterTest, KeepCaseLeavesWordsAsWritten) {
  EXPECT_EQ(withCase("The THE the"), (Words{"The", "THE", "the"}));
}

TEST(WordSegmenterTest, GermanSharpSFoldsToSsAndUmlautsStay) {
  EXPECT_EQ(folded("Straße STRASSE strasse"), (Words{"strasse", "strasse", "strasse"}));
  EXPECT_EQ(folded("Über über ÄRGER Ärger Öl"), (Words{"über", "über", "ärger", "ärger", "öl"}));
  EXPECT_EQ(withCase("Straße"), (Words{"Straße"}));
}

TEST(WordSegmenterTest, DecomposedUmlautIsTheSameWordAsPrecomposed) {
  // "u" + U+0308 COMBINING DIAERESIS against the single code point U+00FC.
  EXPECT_EQ(folded("u\xCC\x88" "ber \xC3\xBC" "ber"), (Words{"über", "über"}));
}

TEST(WordSegmenterTest, FrenchElisionIsOneWordAsUnicodeWordBoundariesSay) {
  // U+0027 and U+2019 are both MidNumLet: no boundary between two letters.
  EXPECT_EQ(folded("L'homme et l'Homme"), (Words{"l'homme", "et", "l'homme"}));
  EXPECT_EQ(folded("l\u2019homme aujourd\u2019hui"), (Words{"l\u2019homme", "aujourd\u2019hui"}));
  EXPECT_EQ(folded("« Qu'est-ce ? »"), (Words{"qu'est", "ce"}));
}

TEST(WordSegmenterTest, DutchIjFoldsAsTwoLettersAndTheLigatureAsOne) {
  EXPECT_EQ(folded("IJsselmeer ijsselmeer IJs"), (Words{"ijsselmeer", "ijsselmeer", "ijs"}));
  // U+0132 LATIN CAPITAL LIGATURE IJ folds to U+0133, not to "ij".
  EXPECT_EQ(folded("\u0132s"), (Words{"\u0133s"}));
}

TEST(WordSegmenterTest, GreekFoldsFinalSigmaAndKeepsAccents) {
  EXPECT_EQ(folded("ΛΌΓΟΣ λόγος Λόγος."), (Words{"λόγοσ", "λόγοσ", "λόγοσ"}));
  EXPECT_EQ(withCase("Ἐν ἀρχῇ ἦν ὁ λόγος"), (Words{"Ἐν", "ἀρχῇ", "ἦν", "ὁ", "λόγος"}));
}

TEST(WordSegmenterTest, ChineseIsSplitByDictionaryIntoIdeographicWords) {
  const Words words = folded("我爱北京天安门。");
  // The dictionary decides the exact split; what must hold is that every
  // character ends up in some word, the full stop in none, and that a
  // common two-character word is found whole.
  std::string joined;
  for (const std::string& w : words) joined += w;
  EXPECT_EQ(joined, "我爱北京天安门");
  EXPECT_GE(words.size(), 3u);
  EXPECT_NE(std::find(words.begin(), words.end(), "北京"), words.end());
}

TEST(WordSegmenterTest, KanaWordsAreKept) {
  EXPECT_EQ(folded("カタカナ"), (Words{"カタカナ"}));
}

TEST(WordSegmenterTest, NumbersAreDroppedUnlessKept) {
  EXPECT_EQ(folded("In 1611, 2.5 times 1,000 men"), (Words{"in", "times", "men"}));
  SegmenterOptions options;
  options.keepNumbers = true;
  EXPECT_EQ(WordSegmenter(options).words("In 1611, 2.5 times 1,000 men"),
            (Words{"in", "1611", "2.5", "times", "1,000", "men"}));
}

TEST(WordSegmenterTest, WordsEndingInADigitAreLetterWords) {
  // ICU classes a segment by its last character, so these come out as
  // numbers; a letter anywhere makes them words.
  EXPECT_EQ(folded("mp3 route66 abc123 MP3 3rd x2.5 1611 2.5 1,000"),
            (Words{"mp3", "route66", "abc123", "mp3", "3rd", "x2.5"}));
  EXPECT_EQ(folded("२०२० क२"), (Words{"क२"}));
}

TEST(WordSegmenterTest, ByteOrderMarkIsNotPartOfTheFirstWord) {
  EXPECT_EQ(folded("\xEF\xBB\xBFHello world"), (Words{"hello", "world"}));
}

TEST(WordSegmenterTest, EveryWordIsNonEmptyAndFreeOfWhiteSpace) {
  // A word with a blank in it would split into two fields in the
  // ranked-token file and shift every rank after it.
  const std::string text =
      "Tab\tseparated\u00A0no-break\u3000ideographic\u2028line "
      "\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627 \u0E2A\u0E27\u0E31\u0E2A\u0E14\u0E35 "
      "emoji\U0001F600smile caf\u00E9";
  SegmenterOptions options;
  options.keepNumbers = true;
  for (const std::string& word : WordSegmenter(options).words(text)) {
    EXPECT_FALSE(word.empty());
    EXPECT_EQ(word.find_first_of(" \t\n\r\f\v"), std::string::npos) << word;
    EXPECT_EQ(word.find("\u00A0"), std::string::npos) << word;
    EXPECT_EQ(word.find("\u3000"), std::string::npos) << word;
  }
}

TEST(WordSegmenterTest, EmptyAndPunctuationOnlyTextsHaveNoWords) {
  EXPECT_TRUE(folded("").empty());
  EXPECT_TRUE(folded(" \n\t.,;:!? -- \r\n").empty());
}

}  // namespace
}  // namespace tokshuf::rank
