// Texts beyond the classic limits: refused by default, read whole with
// --no-limits, in memory that grows with the text, not with its ranks.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <string>
#include <vector>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

std::vector<int> oneBeyondEachLimit(bool moreTokens) {
  std::vector<int> ranks;
  for (int i = 0; i < 220000; ++i) ranks.push_back(1 + i % 1000);
  if (moreTokens) {
    ranks.push_back(5);
  } else {
    ranks.back() = 22001;
  }
  return ranks;
}

TEST(NoLimits, ReadsWhatTheDefaultLimitsRefuse) {
  struct Case {
    bool moreTokens;
    const char* refusal;
    double N, V;
  };
  const Case cases[] = {
      {true, "tokshuf: ERROR: text length exceeds array bounds\n", 220001, 1000},
      {false, "tokshuf: ERROR: number of types exceeds array bounds\n", 220000, 1001},
  };
  for (const Case& c : cases) {
    TempDir dir;
    writeFile(dir.file("t.zvc"), zvcText(oneBeyondEachLimit(c.moreTokens)));
    const ProcessResult refused = runTokshuf(dir, {"-k2", "t.zvc"});
    EXPECT_TRUE(refused.exitedWith(1));
    EXPECT_EQ(refused.err, c.refusal);
    const ProcessResult read = runTokshuf(dir, {"--no-limits", "-k2", "-p2", "t.zvc"});
    ASSERT_TRUE(read.exitedWith(0)) << read.describe();
    const Profile profile = readProfile(dir, "t.obs");
    EXPECT_EQ(profile.value(1, "N"), c.N);
    EXPECT_EQ(profile.value(1, "V"), c.V);
    EXPECT_EQ(readProfile(dir, "t.mcl").value(1, "V"), c.V);
  }
}

TEST(NoLimits, HugeRanksTakeNoMoreMemoryThanSmallOnes) {
  TempDir dir;
  writeFile(dir.file("t.zvc"), zvcText({2000000000, 2000000000, 7}));
  const ProcessResult result = runTokshuf(dir, {"--no-limits", "-p100", "-k3", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(readProfile(dir, "t.obs").value(2, "V"), 2.0);
#ifndef TOKSHUF_SANITIZED
  EXPECT_LT(result.peakMemoryKiB, 16 * 1024);
#endif
}

// A run that cannot get the memory it needs says so on one line, and the
// files of the earlier run stay as they were.
TEST(NoLimits, RunningOutOfMemoryReplacesNothing) {
#ifdef TOKSHUF_SANITIZED
  GTEST_SKIP() << "the sanitizers reserve address space of their own";
#else
  TempDir dir;
  ZipfianTextShape shape;
  shape.tokens = 300000;
  writeFile(dir.file("t.zvc"), zvcText(zipfianRanks(shape)));
  for (const std::string& name : profileNames("t")) writeFile(dir.file(name), "earlier\n");
  ProcessOptions options;
  options.args = {"--no-limits", "-p5000", "-k40", "--measures=all", "t.zvc"};
  options.workingDirectory = dir.path();
  options.childSetup.push_back(limitResource(RLIMIT_AS, 64 << 20));
  const ProcessResult result = runTokshuf(dir, options);
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  // The run ends after the text is loaded, with one line saying why.
  EXPECT_NE(result.err.find("\ntokshuf: out of memory (62332464 bytes asked for)\n"),
            std::string::npos)
      << result.err;
  for (const std::string& name : profileNames("t")) {
    EXPECT_EQ(readFile(dir.file(name)), "earlier\n") << name;
  }
#endif
}

}  // namespace
}  // namespace tokshuf::test
