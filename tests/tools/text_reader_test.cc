// A text read and segmented in pieces of lines gives exactly the words and
// the ranks of the whole text segmented at once.

#include "rank/text_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rank/rank_table.h"
#include "rank_test_input.h"

namespace tokshuf::rank {
namespace {

RankedText rankedInPieces(const std::string& text, std::size_t pieceSize,
                          const SegmenterOptions& options) {
  Corpus corpus = readContent(
      text, [&](InputPieces& input) { return readText(input, options); }, "in.txt", pieceSize);
  EXPECT_EQ(corpus.documents.size(), 1u);
  return rankTokens(std::move(corpus.documents.front().tokens));
}

void expectSameAsWholeText(const std::string& text) {
  for (bool keepNumbers : {false, true}) {
    for (bool keepCase : {false, true}) {
      const SegmenterOptions options{keepNumbers, keepCase};
      const RankedText whole = rankWords(WordSegmenter(options).words(text));
      for (std::size_t pieceSize : {1u, 2u, 3u, 5u, 16u, 1u << 20}) {
        const RankedText pieces = rankedInPieces(text, pieceSize, options);
        EXPECT_EQ(pieces.typeByRank, whole.typeByRank) << "piece size " << pieceSize;
        EXPECT_EQ(pieces.tokenRanks, whole.tokenRanks) << "piece size " << pieceSize;
      }
    }
  }
}

TEST(TextReaderTest, PiecesGiveTheWordsOfTheWholeText) {
  expectSameAsWholeText("The cat saw the dog.\nTHE END, the end!\n");
  expectSameAsWholeText("line one\r\nline two\r\n\r\nline  four\rstill four\n");
  expectSameAsWholeText("no line end at all");
  expectSameAsWholeText("\n\n\nwords after blank lines\n\n");
}

TEST(TextReaderTest, NormalizationAndBoundariesNeverJoinAcrossALineEnd) {
  // A combining mark at the start of a line has no letter to attach to.
  expectSameAsWholeText(
      "u\n\xCC\x88"
      "ber u\xCC\x88"
      "ber \xC3\xBC"
      "ber\n");
  // Hangul jamo that compose within a line, split over two lines.
  expectSameAsWholeText("\xE1\x84\x80\n\xE1\x85\xA1 \xE1\x84\x80\xE1\x85\xA1\n");
  // Words that would join over a space or an apostrophe, broken by lines.
  expectSameAsWholeText("don'\nt l'\nhomme 3\n.5 route\n66 mp3\n");
  // A byte order mark at the start and in the middle of the text.
  expectSameAsWholeText("\xEF\xBB\xBFHello\n\xEF\xBB\xBFworld\n");
  // Emoji joined by ZWJ, regional indicators, and a ZWJ before a line end.
  expectSameAsWholeText("a\xE2\x80\x8D\n\xF0\x9F\x98\x80 \xF0\x9F\x87\xA9\xF0\x9F\x87\xAA x\n");
}

TEST(TextReaderTest, DictionaryScriptsSplitAlikeInPieces) {
  expectSameAsWholeText(
      "我爱北京天安门。\n北京\n天安门广场\nカタカナとひらがな\n"
      "ภาษาไทยง่ายนิดเดียว\n");
}

TEST(TextReaderTest, InvalidUtf8IsReportedAtItsOffsetInTheWholeInput) {
  const std::string text = "good line\nanother good line\nna\xC3\xAFve caf\xE9\n";
  for (std::size_t pieceSize : {1u, 4u, 1u << 20}) {
    try {
      rankedInPieces(text, pieceSize, {});
      FAIL() << "accepted invalid UTF-8";
    } catch (const InputError& error) {
      EXPECT_STREQ(error.what(), "in.txt: invalid UTF-8 at byte offset 38");
    }
  }
  // A sequence cut off by a line end is ill-formed where it starts.
  EXPECT_THROW(rankedInPieces("ab\xC3\ncd\n", 1, {}), InputError);
}

TEST(TextReaderTest, ManyLinesOfRandomWordsInSmallPieces) {
  const char* pieces[] = {"Straße", "STRASSE", "l'homme", "\xCC\x81", "e\xCC\x81t\xC3\xA9",
                          " ",      "\n",      "\r\n",    "42",       "mp3",
                          "3rd",    ", ",      "-",       "北京",     "ΛΌΓΟΣ",
                          "\t"};
  std::uint32_t state = 2463534242u;
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    state ^= state << 13, state ^= state >> 17, state ^= state << 5;
    text += pieces[state % std::size(pieces)];
  }
  expectSameAsWholeText(text);
}

}  // namespace
}  // namespace tokshuf::rank
