#include "rank/rank_options.h"

#include <gtest/gtest.h>

namespace tokshuf::rank {
namespace {

TEST(RankOptionsTest, DefaultOutputReplacesTheExtension) {
  EXPECT_EQ(defaultOutputName("genesis.txt"), "genesis.zvc");
  EXPECT_EQ(defaultOutputName("texts/novel.en.txt"), "texts/novel.en.zvc");
  EXPECT_EQ(defaultOutputName("notes"), "notes.zvc");
  EXPECT_EQ(defaultOutputName("my.texts/notes"), "my.texts/notes.zvc");
  EXPECT_EQ(defaultOutputName("dir/.hidden"), "dir/.hidden.zvc");
}

TEST(RankOptionsTest, FlagsMayBeGrouped) {
  const RankOptions options = parseRankOptions({"-nc", "-t", "in.txt", "out.zvc"});
  EXPECT_TRUE(options.segmenter.keepNumbers);
  EXPECT_TRUE(options.segmenter.keepCase);
  EXPECT_TRUE(options.keepFittingPrefix);
  EXPECT_EQ(options.input, "in.txt");
  EXPECT_EQ(options.output, "out.zvc");
}

TEST(RankOptionsTest, StandardInputWritesStandardOutputByDefault) {
  const RankOptions options = parseRankOptions({"-"});
  EXPECT_EQ(options.input, "-");
  EXPECT_EQ(options.output, "-");
  EXPECT_EQ(parseRankOptions({"-", "x.zvc"}).output, "x.zvc");
}

TEST(RankOptionsTest, DoubleDashEndsOptions) {
  EXPECT_EQ(parseRankOptions({"--", "-odd.txt"}).input, "-odd.txt");
}

TEST(RankOptionsTest, HelpNeedsNoFile) {
  EXPECT_TRUE(parseRankOptions({"-h"}).showHelp);
}

TEST(RankOptionsTest, LongHelpAndVersion) {
  EXPECT_TRUE(parseRankOptions({"--help"}).showHelp);
  EXPECT_TRUE(parseRankOptions({"--version"}).showVersion);
  EXPECT_TRUE(parseRankOptions({"-n", "--version", "x.txt"}).showVersion);
}

TEST(RankOptionsTest, OptionsAfterTheFileNamesAndDashAsAFile) {
  const RankOptions options = parseRankOptions({"in.txt", "-c", "-"});
  EXPECT_TRUE(options.segmenter.keepCase);
  EXPECT_EQ(options.input, "in.txt");
  EXPECT_EQ(options.output, "-");
}

TEST(RankOptionsTest, FormatByNameOrByOption) {
  EXPECT_EQ(parseRankOptions({"a.txt"}).format, InputFormat::kText);
  const RankOptions conllu = parseRankOptions({"ud/es.conllu"});
  EXPECT_EQ(conllu.format, InputFormat::kConllu);
  EXPECT_EQ(conllu.output, "ud/es.zvc");
  EXPECT_EQ(conllu.annotation.drop, (std::vector<std::string>{"PUNCT", "SYM", "NUM", "X"}));
  EXPECT_EQ(parseRankOptions({"--format=conllu", "-"}).format, InputFormat::kConllu);
  EXPECT_EQ(parseRankOptions({"--format", "text", "a.conllu", "a.zvc"}).format,
            InputFormat::kText);
  const RankOptions vertical = parseRankOptions({"--format=vertical", "c.vert"});
  EXPECT_EQ(vertical.format, InputFormat::kVertical);
  EXPECT_TRUE(vertical.annotation.drop.empty());
}

TEST(RankOptionsTest, AnnotationOptions) {
  const RankOptions lemmas =
      parseRankOptions({"--field", "lemma", "--lemma-fallback", "--drop", "", "-c",
                        "--documents", "out", "es.conllu"});
  EXPECT_EQ(lemmas.annotation.field, ConlluField::kLemma);
  EXPECT_TRUE(lemmas.annotation.lemmaFallback);
  EXPECT_TRUE(lemmas.annotation.drop.empty());
  EXPECT_TRUE(lemmas.annotation.keepCase);
  EXPECT_TRUE(lemmas.annotation.splitDocuments);
  EXPECT_EQ(lemmas.documentsDirectory, "out");
  EXPECT_EQ(lemmas.output, "");
  const RankOptions columns = parseRankOptions(
      {"--format=vertical", "--column=3", "--tag-column", "2", "--drop=SENT,,PUN", "c.vert"});
  EXPECT_EQ(columns.annotation.column, 3);
  EXPECT_EQ(columns.annotation.tagColumn, 2);
  EXPECT_EQ(columns.annotation.drop, (std::vector<std::string>{"SENT", "PUN"}));
}

std::string usageError(const std::vector<std::string>& args) {
  try {
    parseRankOptions(args);
  } catch (const UsageError& error) {
    return error.what();
  }
  return "";
}

TEST(RankOptionsTest, OptionsThatDoNotFitTheFormat) {
  EXPECT_EQ(usageError({"--field=lemma", "a.txt"}), "--field applies to CoNLL-U files only");
  EXPECT_EQ(usageError({"--column=2", "a.conllu"}), "--column applies to vertical files only");
  EXPECT_EQ(usageError({"--documents=d", "a.txt"}),
            "--documents applies to CoNLL-U and vertical files only");
  EXPECT_EQ(usageError({"-n", "a.conllu"}),
            "-n applies to plain texts only (--drop chooses the tags left out)");
  EXPECT_EQ(usageError({"--lemma-fallback", "a.conllu"}),
            "--lemma-fallback goes with --field lemma");
  EXPECT_EQ(usageError({"--format=vertical", "--drop=X", "a.vert"}),
            "--drop needs --tag-column for a vertical file");
  EXPECT_EQ(usageError({"--documents=d", "a.conllu", "a.zvc"}),
            "--documents writes into d; an OUTPUT file cannot be named too");
}

TEST(RankOptionsTest, BadValuesAndUnknownOptionsAreNamed) {
  EXPECT_EQ(usageError({"--format=xml", "a"}),
            "--format must be text, conllu or vertical, not \"xml\"");
  EXPECT_EQ(usageError({"--field=stem", "a.conllu"}),
            "--field must be form or lemma, not \"stem\"");
  EXPECT_EQ(usageError({"--format=vertical", "--column=0", "a"}),
            "--column must be a column number from 1 to 1000, not \"0\"");
  EXPECT_EQ(usageError({"--column=2x", "a"}),
            "--column must be a column number from 1 to 1000, not \"2x\"");
  EXPECT_EQ(usageError({"-x", "a"}), "unknown option -x (try -h)");
  EXPECT_EQ(usageError({"-nqc", "a"}), "unknown option -q (try -h)");
  EXPECT_EQ(usageError({"--frobnicate=2", "a"}), "unknown option --frobnicate (try -h)");
  EXPECT_EQ(usageError({"a", "--drop"}), "option --drop needs a value (try -h)");
  EXPECT_EQ(usageError({"--help=yes"}), "option --help takes no value (try -h)");
}

TEST(RankOptionsTest, BadCommandLinesAreRefused) {
  EXPECT_THROW(parseRankOptions({}), UsageError);
  EXPECT_THROW(parseRankOptions({"-x", "a.txt"}), UsageError);
  EXPECT_THROW(parseRankOptions({"a.txt", "b.zvc", "c"}), UsageError);
  EXPECT_THROW(parseRankOptions({"a.zvc"}), UsageError);  // would overwrite itself
}

}  // namespace
}  // namespace tokshuf::rank
