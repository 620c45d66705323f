// CoNLL-U as treebanks write it: multiword tokens, empty nodes, comments,
// documents, and the faults a converter must name by line.

#include "rank/conllu_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rank/tag_set.h"
#include "rank_test_input.h"

namespace tokshuf::rank {
namespace {

using Words = std::vector<std::string>;

std::string row(const std::string& id, const std::string& form, const std::string& lemma,
                const std::string& upos) {
  return id + "\t" + form + "\t" + lemma + "\t" + upos + "\t_\t_\t0\tdep\t_\t_\n";
}

// "Vino del mar." with "del" = "de" + "el", and an empty node.
const std::string kSentences =
    "# newdoc id = sea\n"
    "# sent_id = 1\n"
    "# text = Vino del mar.\n" +
    row("1", "Vino", "venir", "VERB") + row("2-3", "del", "_", "_") + row("2", "de", "de", "ADP") +
    row("3", "el", "el", "DET") + row("4", "mar", "mar", "NOUN") + row("5", ".", ".", "PUNCT") +
    "\n"
    "# sent_id = 2\n" +
    row("1", "Vinieron", "venir", "VERB") + row("1.1", "vino", "venir", "VERB") +
    row("2", "3", "3", "NUM") + row("3", "barcos", "barco", "NOUN") + row("4", "$", "$", "SYM") +
    "\n";

AnnotationOptions defaults() {
  AnnotationOptions options;
  options.drop = splitTagList(kDefaultConlluDrop);
  return options;
}

Reader conllu(const AnnotationOptions& options) {
  return [options](InputPieces& input) { return readConllu(input, options); };
}

Words words(const std::string& content, const AnnotationOptions& options) {
  const Corpus corpus = readContent(content, conllu(options));
  EXPECT_EQ(corpus.documents.size(), 1u);
  return wordsOf(corpus.documents.front());
}

TEST(ConlluReaderTest, SyntacticWordsCountedAndMultiwordLinesAndEmptyNodesSkipped) {
  EXPECT_EQ(words(kSentences, defaults()),
            (Words{"vino", "de", "el", "mar", "vinieron", "barcos"}));
}

TEST(ConlluReaderTest, LemmaAgainstFormOnTheSameSentences) {
  AnnotationOptions lemma = defaults();
  lemma.field = ConlluField::kLemma;
  EXPECT_EQ(words(kSentences, lemma), (Words{"venir", "de", "el", "mar", "venir", "barco"}));
}

TEST(ConlluReaderTest, DropDefaultAndAnEmptyDropList) {
  AnnotationOptions keepAll = defaults();
  keepAll.drop.clear();
  EXPECT_EQ(words(kSentences, keepAll),
            (Words{"vino", "de", "el", "mar", ".", "vinieron", "3", "barcos", "$"}));
  AnnotationOptions nouns = defaults();
  nouns.drop = {"NOUN", "PUNCT"};
  EXPECT_EQ(words(kSentences, nouns), (Words{"vino", "de", "el", "vinieron", "3", "$"}));
}

TEST(ConlluReaderTest, CaseIsFoldedAndNormalizedUnlessKept) {
  const std::string sentence = row("1", "STRAßE", "Straße", "NOUN") +
                               row("2",
                                   "U\xCC\x88"
                                   "ber",
                                   "über", "ADP") +
                               "\n";
  EXPECT_EQ(words(sentence, defaults()), (Words{"strasse",
                                                "\xC3\xBC"
                                                "ber"}));
  AnnotationOptions keepCase = defaults();
  keepCase.keepCase = true;
  EXPECT_EQ(words(sentence, keepCase), (Words{"STRAßE",
                                              "\xC3\x9C"
                                              "ber"}));
}

TEST(ConlluReaderTest, AWordWithASpaceStaysOneField) {
  EXPECT_EQ(words(row("1", "Hà Nội", "Hà Nội", "PROPN") + "\n", defaults()),
            (Words{"hà\u00A0nội"}));
}

TEST(ConlluReaderTest, MissingLemmaIsAnErrorUnlessTheFormStandsIn) {
  const std::string sentence = row("1", "Vino", "venir", "VERB") + row("2", "hoy", "_", "ADV") +
                               row("3", "_", "_", "NOUN") + "\n";
  AnnotationOptions lemma = defaults();
  lemma.field = ConlluField::kLemma;
  EXPECT_EQ(readError(sentence, conllu(lemma), "es.conllu"),
            "es.conllu:2: lemma \"_\" (not annotated) for \"hoy\"; --lemma-fallback counts "
            "the word form instead");
  lemma.lemmaFallback = true;
  const Corpus corpus = readContent(sentence, conllu(lemma));
  // An underscore's lemma is an underscore: not a fallback.
  EXPECT_EQ(wordsOf(corpus.documents.front()), (Words{"venir", "hoy", "_"}));
  EXPECT_EQ(corpus.lemmaFallbacks, 1u);
}

TEST(ConlluReaderTest, MalformedLinesAreNamedByLine) {
  const Reader read = conllu(defaults());
  EXPECT_EQ(readError("# c\n" + row("1", "a", "a", "X") + "1\tb\tb\tNOUN\n", read, "t.conllu"),
            "t.conllu:3: expected 10 tab-separated columns, found 4");
  EXPECT_EQ(readError(row("1", "a", "a", "NOUN") + row("3", "b", "b", "NOUN"), read),
            "in:2: ID 3 out of sequence: the next word is 2");
  EXPECT_EQ(readError(row("1", "a", "a", "NOUN") + "\n" + row("2", "b", "b", "NOUN"), read),
            "in:3: ID 2 out of sequence: the next word is 1");
  EXPECT_EQ(readError(row("1-2", "ab", "_", "_") + row("1", "a", "a", "NOUN") + "\n", read),
            "in:3: the multiword token on line 1 ends at word 2, after the last word of "
            "its sentence (1)");
  EXPECT_EQ(readError(row("1", "a", "a", "NOUN") + row("2.1", "b", "b", "NOUN"), read),
            "in:2: ID 2.1 out of sequence: the last word is 1");
  EXPECT_EQ(readError(row("x", "a", "a", "NOUN"), read),
            "in:1: ID \"x\" is not a word number, a range or an empty node");
  EXPECT_EQ(readError(row("1", "", "a", "NOUN"), read), "in:1: empty FORM column");
  EXPECT_EQ(readError("# ok\n" + row("1", "caf\xE9", "a", "NOUN"), read),
            "in:2: invalid UTF-8 at byte offset 10");
}

TEST(ConlluReaderTest, DocumentsWhenAskedFor) {
  AnnotationOptions split = defaults();
  split.splitDocuments = true;
  const std::string content = row("1", "before", "before", "NOUN") + "\n" + kSentences +
                              "# newdoc\n" + row("1", "x", "x", "NOUN") + "\n" +
                              "# newdoc id = last one \n" + row("1", "y", "y", "NOUN") + "\n";
  const Corpus corpus = readContent(content, conllu(split));
  ASSERT_EQ(corpus.documents.size(), 4u);
  EXPECT_EQ(corpus.documents[0].id, "");
  EXPECT_EQ(wordsOf(corpus.documents[0]), (Words{"before"}));
  EXPECT_EQ(corpus.documents[1].id, "sea");
  EXPECT_EQ(wordsOf(corpus.documents[1]).size(), 6u);
  EXPECT_EQ(corpus.documents[2].id, "");
  EXPECT_EQ(corpus.documents[3].id, "last one");
  // Without splitting, the same file is one text.
  EXPECT_EQ(words(content, defaults()).size(), 9u);
}

TEST(ConlluReaderTest, TheFirstDocumentStartNamesTheWordsAfterIt) {
  AnnotationOptions split = defaults();
  split.splitDocuments = true;
  const Corpus corpus = readContent(kSentences, conllu(split));
  ASSERT_EQ(corpus.documents.size(), 1u);
  EXPECT_EQ(corpus.documents[0].id, "sea");
}

}  // namespace
}  // namespace tokshuf::rank
