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

TEST(RankOptionsTest, BadCommandLinesAreRefused) {
  EXPECT_THROW(parseRankOptions({}), UsageError);
  EXPECT_THROW(parseRankOptions({"-x", "a.txt"}), UsageError);
  EXPECT_THROW(parseRankOptions({"a.txt", "b.zvc", "c"}), UsageError);
  EXPECT_THROW(parseRankOptions({"a.zvc"}), UsageError);  // would overwrite itself
}

}  // namespace
}  // namespace tokshuf::rank
