// tokshuf-rank on annotated corpora, run as a researcher would: one ranked
// file per document, written as one set, checked by tokshuf itself.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/files.h"
#include "support/process.h"
#include "support/profile_file.h"

#ifndef TOKSHUF_BIN
#define TOKSHUF_BIN ""
#endif

namespace tokshuf::test {
namespace {

ProcessResult run(const std::string& program, const TempDir& dir,
                  const std::vector<std::string>& args,
                  std::vector<std::function<void()>> childSetup = {}) {
  ProcessOptions options;
  options.args = args;
  options.workingDirectory = dir.path();
  options.childSetup = std::move(childSetup);
  options.timeoutSeconds = 120;
  return runProcess(program, options);
}

std::string row(int id, const std::string& form, const std::string& lemma,
                const std::string& upos) {
  return std::to_string(id) + "\t" + form + "\t" + lemma + "\t" + upos + "\t_\t_\t0\tdep\t_\t_\n";
}

// Three documents: one with an id that is no file name, one without id.
const std::string kCorpus =
    "# newdoc id = tales/one two\n" + row(1, "Cats", "cat", "NOUN") + row(2, "saw", "see", "VERB") +
    row(3, "cats", "cat", "NOUN") + row(4, ".", ".", "PUNCT") + "\n" + row(1, "A", "a", "DET") +
    row(2, "cat", "cat", "NOUN") + row(3, "sees", "see", "VERB") + "\n" + "# newdoc\n" +
    row(1, "Dogs", "dog", "NOUN") + row(2, "bark", "bark", "VERB") + "\n" + "# newdoc id = last\n" +
    row(1, "Seen", "see", "VERB") + "\n";

TEST(RankDocumentsTest, OneRankedFilePerDocumentAndALineForEach) {
  TempDir dir;
  writeFile(dir.file("corpus.conllu"), kCorpus);
  const ProcessResult result =
      run(TOKSHUF_RANK_BIN, dir, {"--documents", "out/docs", "corpus.conllu"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(result.err,
            "Wrote out/docs/tales%2Fone%20two.zvc (6 word tokens, 5 word types)\n"
            "Wrote out/docs/2.zvc (2 word tokens, 2 word types)\n"
            "Wrote out/docs/last.zvc (1 word tokens, 1 word types)\n");
  EXPECT_EQ(listDirectory(dir.file("out/docs")),
            (std::vector<std::string>{"2.zvc", "last.zvc", "tales%2Fone%20two.zvc"}));
  EXPECT_EQ(readFile(dir.file("out/docs/tales%2Fone%20two.zvc")),
            "Word z\ncats 1\nsaw 2\ncats 1\na 3\ncat 4\nsees 5\n");
}

TEST(RankDocumentsTest, LemmasJoinWhatWordFormsKeepApart) {
  TempDir dir;
  writeFile(dir.file("corpus.conllu"), kCorpus);
  const ProcessResult result =
      run(TOKSHUF_RANK_BIN, dir, {"--field=lemma", "--documents=docs", "corpus.conllu"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(readFile(dir.file("docs/tales%2Fone%20two.zvc")),
            "Word z\ncat 1\nsee 2\ncat 1\na 3\ncat 1\nsee 2\n");
  // A missing lemma is an error unless the word form stands in, which is
  // reported.
  writeFile(dir.file("partly.conllu"), kCorpus + row(1, "Ran", "_", "VERB") + "\n");
  const ProcessResult missing = run(TOKSHUF_RANK_BIN, dir, {"--field=lemma", "partly.conllu"});
  EXPECT_EQ(missing.err,
            "tokshuf-rank: partly.conllu:18: lemma \"_\" (not annotated) for \"Ran\"; "
            "--lemma-fallback counts the word form instead\n");
  const ProcessResult fallback =
      run(TOKSHUF_RANK_BIN, dir, {"--field=lemma", "--lemma-fallback", "partly.conllu"});
  EXPECT_EQ(fallback.err,
            "tokshuf-rank: partly.conllu: counted the word form for 1 lemma written as _\n"
            "Wrote partly.zvc (10 word tokens, 6 word types)\n");
  // The whole file as one text, punctuation kept.
  const ProcessResult whole =
      run(TOKSHUF_RANK_BIN, dir, {"--field=lemma", "--drop=", "corpus.conllu", "-"});
  EXPECT_EQ(whole.err, "Wrote standard output (10 word tokens, 6 word types)\n");
}

TEST(RankDocumentsTest, DuplicateNamesAndMalformedLinesWriteNothing) {
  TempDir dir;
  writeFile(dir.file("twice.conllu"), "# newdoc id = a\n" + row(1, "x", "x", "NOUN") +
                                          "\n# newdoc id = a\n" + row(1, "y", "y", "NOUN"));
  ASSERT_EQ(run(TOKSHUF_RANK_BIN, dir, {"--documents=docs", "twice.conllu"}).exitCode, 1);
  writeFile(dir.file("bad.conllu"), kCorpus + "1\tonly\tthree\n");
  const ProcessResult bad = run(TOKSHUF_RANK_BIN, dir, {"--documents=docs", "bad.conllu"});
  EXPECT_TRUE(bad.exitedWith(1));
  EXPECT_EQ(bad.err, "tokshuf-rank: bad.conllu:18: expected 10 tab-separated columns, found 3\n");
  EXPECT_EQ(listDirectory(dir.path()), (std::vector<std::string>{"bad.conllu", "twice.conllu"}));
  const ProcessResult duplicate = run(TOKSHUF_RANK_BIN, dir, {"--documents=docs", "twice.conllu"});
  EXPECT_EQ(duplicate.err,
            "tokshuf-rank: twice.conllu: documents 1 and 2 would both be written to a.zvc "
            "(ids \"a\" and \"a\")\n");
}

TEST(RankDocumentsTest, TheSetOfDocumentFilesIsReplacedWholeOrNotAtAll) {
  TempDir dir;
  std::string corpus;
  for (int document = 0; document < 4; ++document) {
    corpus += "<doc id=\"d" + std::to_string(document) + "\">\n";
    const int words = document == 3 ? 5000 : 1000;
    for (int i = 0; i < words; ++i) corpus += 'w' + std::to_string(i * (document + 3)) + '\n';
    corpus += "</doc>\n";
  }
  writeFile(dir.file("c.vert"), corpus);
  ASSERT_TRUE(run(TOKSHUF_RANK_BIN, dir, {"--format=vertical", "--documents=docs", "c.vert"})
                  .exitedWith(0));
  for (int document = 0; document < 4; ++document) {
    writeFile(dir.file("docs/d" + std::to_string(document) + ".zvc"), "earlier\n");
  }
  // The first three files fit under the limit, the last one does not.
  const ProcessResult full =
      run(TOKSHUF_RANK_BIN, dir, {"--format=vertical", "--documents=docs", "c.vert"},
          {limitFileSize(40 * 1024)});
  EXPECT_TRUE(full.exitedWith(1)) << full.describe();
  for (int document = 0; document < 4; ++document) {
    EXPECT_EQ(readFile(dir.file("docs/d" + std::to_string(document) + ".zvc")), "earlier\n");
  }
  EXPECT_EQ(listDirectory(dir.file("docs")).size(), 4u);
}

TEST(RankDocumentsTest, TokshufLimitsAreCheckedPerDocument) {
  TempDir dir;
  std::string corpus = "<doc id=\"small\">\na\nb\n</doc>\n<doc id=\"long\">\n";
  for (int i = 0; i < 220001; ++i) corpus += "a\n";
  corpus += "</doc>\n";
  writeFile(dir.file("c.vert"), corpus);
  const ProcessResult warned =
      run(TOKSHUF_RANK_BIN, dir, {"--format=vertical", "--documents=docs", "c.vert"});
  ASSERT_TRUE(warned.exitedWith(0)) << warned.describe();
  EXPECT_EQ(warned.err,
            "tokshuf-rank: warning: document \"long\" of c.vert has 220001 tokens and 1 word "
            "types; tokshuf accepts at most 220000 tokens and 22000 word types unless run "
            "with --no-limits (-t keeps the longest prefix that fits)\n"
            "Wrote docs/small.zvc (2 word tokens, 2 word types)\n"
            "Wrote docs/long.zvc (220001 word tokens, 1 word types)\n");
  const ProcessResult cut =
      run(TOKSHUF_RANK_BIN, dir, {"-t", "--format=vertical", "--documents=docs", "c.vert"});
  EXPECT_NE(cut.err.find("Wrote docs/long.zvc (220000 word tokens, 1 word types)"),
            std::string::npos)
      << cut.err;
}

TEST(RankDocumentsTest, TokshufCountsTheTypesOfEveryDocument) {
  if (std::string(TOKSHUF_BIN).empty()) GTEST_SKIP() << "tokshuf is not built here";
  TempDir dir;
  std::string corpus;
  const int sizes[] = {40, 90, 150};
  for (int document = 0; document < 3; ++document) {
    corpus += "# newdoc id = part" + std::to_string(document) + "\n";
    for (int i = 1; i <= sizes[document]; ++i) {
      const std::string word = 'w' + std::to_string(i * i % (7 + 5 * document));
      corpus += row(i, word, word, "NOUN");
    }
    corpus += "\n";
  }
  writeFile(dir.file("c.conllu"), corpus);
  const ProcessResult ranked = run(TOKSHUF_RANK_BIN, dir, {"--documents=docs", "c.conllu"});
  ASSERT_TRUE(ranked.exitedWith(0)) << ranked.describe();
  const std::vector<std::string> lines = splitLines(ranked.err);
  ASSERT_EQ(lines.size(), 3u);
  for (int document = 0; document < 3; ++document) {
    const std::string name = "part" + std::to_string(document);
    const ProcessResult tokshuf = run(TOKSHUF_BIN, dir, {"-k4", "docs/" + name + ".zvc"});
    ASSERT_TRUE(tokshuf.exitedWith(0)) << tokshuf.describe();
    const Profile profile = Profile::parse(readFile(dir.file("docs/" + name + ".obs")));
    const int last = profile.rowCount() - 1;
    EXPECT_EQ(profile.value(last, "N"), sizes[document]);
    const std::string reported =
        "Wrote docs/" + name + ".zvc (" + std::to_string(sizes[document]) + " word tokens, " +
        std::to_string(static_cast<int>(profile.value(last, "V"))) + " word types)";
    EXPECT_EQ(lines[document], reported);
  }
}

}  // namespace
}  // namespace tokshuf::test
