#include <gtest/gtest.h>

#include <string>
#include <vector>


#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

// The largest text the tool accepts: 220000 tokens over all ranks 1..22000.
std::string largestText() {
  std::vector<int> ranks;
  ranks.reserve(220000);
  for (int i = 0; i < 220000; ++i) ranks.push_back(i < 22000 ? i + 1 : 1 + i % 97);
  return zvcText(ranks);
}

TEST(Limits, LargestTextRunsWithPermutations) {
  TempDir dir;
  writeFile(dir.file("text.zvc"), largestText());
  const ProcessResult result = runTokshuf(dir, {"-p5", "-k40", "text.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const Profile profile = readProfile(dir, "text.obs");
  ASSERT_EQ(profile.rowCount(), 40);
  EXPECT_EQ(profile.value(39, "N"), 220000.0);
  EXPECT_EQ(profile.value(39, "V"), 22000.0);
  EXPECT_EQ(readProfile(dir, "text.mch").value(39, "V"), 22000.0);
}

TEST(Limits, OneTokenMoreIsRefused) {
  TempDir dir;
  writeFile(dir.file("text.zvc"), largestText() + "w 5\n");
  writeFile(dir.file("text.obs"), "kept\n");
  const ProcessResult result = runTokshuf(dir, {"text.zvc"});
  EXPECT_TRUE(result.exitedWith(1));
  EXPECT_EQ(result.err, "tokshuf: ERROR: text length exceeds array bounds\n");
  EXPECT_EQ(readFile(dir.file("text.obs")), "kept\n");
}

TEST(Limits, OneWordMakingUpTheLongestText) {
  TempDir dir;
  writeFile(dir.file("text.zvc"), zvcText(std::vector<int>(220000, 1)));
  const ProcessResult result = runTokshuf(dir, {"-p3", "-k2", "text.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const Profile profile = readProfile(dir, "text.obs");
  EXPECT_EQ(profile.value(1, "fthe"), 220000.0);
  EXPECT_EQ(profile.value(1, "V"), 1.0);
  EXPECT_EQ(profile.value(1, "D"), 1.0);
}

TEST(Limits, MostPermutationsAndChunksStayUnder100MB) {
  TempDir dir;
  std::vector<int> ranks;
  for (int i = 0; i < 400; ++i) ranks.push_back(1 + (i * i) % 53);
  writeFile(dir.file("text.zvc"), zvcText(ranks));
  const ProcessResult result = runTokshuf(dir, {"-p5000", "-k40", "text.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const long kib = result.peakMemoryKiB;
  RecordProperty("peak_memory_kib", std::to_string(kib));
  // Sanitizer builds carry their own shadow memory; the limit is for the tool.
#ifndef TOKSHUF_SANITIZED
  EXPECT_LT(kib, 100 * 1024);
#endif
  const Profile means = readProfile(dir, "text.mcm");
  EXPECT_EQ(means.rowCount(), 40);
}

}  // namespace
}  // namespace tokshuf::test
