// Vertical files from corpus managers and taggers: a token per line,
// structure in angle brackets, documents in <doc> elements.

#include "rank/vertical_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rank_test_input.h"

namespace tokshuf::rank {
namespace {

using Words = std::vector<std::string>;

const std::string kCorpus =
    "<doc id=\"first\" title=\"A test\">\n"
    "<p>\n"
    "<s>\n"
    "The\tDT\tthe\n"
    "Dogs\tNNS\tdog\n"
    "barked\tVBD\tbark\n"
    ".\tSENT\t.\n"
    "</s>\n"
    "</p>\n"
    "</doc>\n"
    "<doc id='second &amp; last'>\n"
    "A\tDT\ta\n"
    "dog\tNN\tdog\n"
    "</doc>\n";

Reader vertical(const AnnotationOptions& options) {
  return [options](InputPieces& input) { return readVertical(input, options); };
}

Words words(const std::string& content, const AnnotationOptions& options) {
  const Corpus corpus = readContent(content, vertical(options));
  EXPECT_EQ(corpus.documents.size(), 1u);
  return wordsOf(corpus.documents.front());
}

TEST(VerticalReaderTest, FirstColumnByDefaultAndStructureLinesSkipped) {
  EXPECT_EQ(words(kCorpus, {}), (Words{"the", "dogs", "barked", ".", "a", "dog"}));
}

TEST(VerticalReaderTest, AnotherColumnAndTagsToDrop) {
  AnnotationOptions lemmas;
  lemmas.column = 3;
  lemmas.tagColumn = 2;
  lemmas.drop = {"SENT", "DT"};
  EXPECT_EQ(words(kCorpus, lemmas), (Words{"dog", "bark", "dog"}));
}

TEST(VerticalReaderTest, DocumentsByTheirIdAttribute) {
  AnnotationOptions split;
  split.splitDocuments = true;
  const Corpus corpus = readContent(kCorpus + "<doc>\nx\ty\tz\n</doc>\n", vertical(split));
  ASSERT_EQ(corpus.documents.size(), 3u);
  EXPECT_EQ(corpus.documents[0].id, "first");
  EXPECT_EQ(wordsOf(corpus.documents[0]).size(), 4u);
  EXPECT_EQ(corpus.documents[1].id, "second & last");
  EXPECT_EQ(corpus.documents[2].id, "");
}

TEST(VerticalReaderTest, DocumentStartTags) {
  EXPECT_EQ(documentStartId("<doc id=\"a b\">"), "a b");
  EXPECT_EQ(documentStartId("<doc n=\"3\" id='x&lt;y'>"), "x<y");
  EXPECT_EQ(documentStartId("<doc docid=\"no\">"), "");
  EXPECT_EQ(documentStartId("<doc>"), "");
  EXPECT_EQ(documentStartId("<document id=\"z\">"), std::nullopt);
  EXPECT_EQ(documentStartId("</doc>"), std::nullopt);
}

TEST(VerticalReaderTest, MalformedLinesAreNamedByLine) {
  const Reader read = vertical({});
  EXPECT_EQ(readError("a\tb\nc\n", read, "c.vert"),
            "c.vert:2: expected 2 tab-separated columns as on line 1, found 1");
  AnnotationOptions third;
  third.column = 3;
  EXPECT_EQ(readError("<s>\na\tb\n", vertical(third)),
            "in:2: expected at least 3 tab-separated columns, found 2");
  EXPECT_EQ(readError("\tb\n", read), "in:1: empty word in column 1");
  EXPECT_EQ(readError("<doc>\na\n</doc>\nb\n", read),
            "in:4: a token after </doc>, outside any document");
  EXPECT_EQ(readError("ok\n\xFF\n", read), "in:2: invalid UTF-8 at byte offset 3");
}

}  // namespace
}  // namespace tokshuf::rank
