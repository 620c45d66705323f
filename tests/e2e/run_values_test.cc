// --runs: every run's values in TEXT.mcr, from which the profile files can
// be computed again to the last printed digit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

std::string printed(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.7f", value);
  return text;
}

bool isFitted(const std::string& label) {
  return label == "b" || label == "c" || label == "a1" || label == "Z";
}

// The values of one measure at one chunk over runs 1..nperm, read from the
// .mcr rows, run by run.
std::vector<double> permutedValues(const Profile& runs, int nchunks, int chunk,
                                   const std::string& label) {
  std::vector<double> values;
  for (int row = nchunks + chunk; row < runs.rowCount(); row += nchunks) {
    values.push_back(runs.value(row, label));
  }
  return values;
}

TEST(RunValues, ReproduceEveryProfileFile) {
  TempDir dir;
  writeFile(dir.file("g.zvc"), readFile(genesisPath()));
  const int nperm = 50, nchunks = 6;
  const ProcessResult result = runTokshuf(
      dir, {"--runs", "-p" + std::to_string(nperm), "-k" + std::to_string(nchunks), "g.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const Profile runs = readProfile(dir, "g.mcr");
  const Profile obs = readProfile(dir, "g.obs");
  const Profile means = readProfile(dir, "g.mcm");
  const Profile lower = readProfile(dir, "g.mcl");
  const Profile upper = readProfile(dir, "g.mch");
  ASSERT_EQ(runs.labels().size(), obs.labels().size() + 1);
  EXPECT_EQ(runs.labels()[0], "run");
  ASSERT_EQ(runs.rowCount(), (nperm + 1) * nchunks);
  const int tail = nperm / 40;  // at 95 %
  for (int chunk = 0; chunk < nchunks; ++chunk) {
    EXPECT_EQ(runs.value(chunk, "run"), 0.0);
    EXPECT_EQ(runs.value(nperm * nchunks + chunk, "run"), double(nperm));
    EXPECT_EQ(runs.value(nperm * nchunks + chunk, "N"), obs.value(chunk, "N"));
    for (std::size_t column = 1; column < obs.labels().size(); ++column) {
      const std::string& label = obs.labels()[column];
      SCOPED_TRACE(label + " at chunk " + std::to_string(chunk + 1));
      EXPECT_EQ(printed(runs.value(chunk, label)), printed(obs.value(chunk, label)));
      std::vector<double> values = permutedValues(runs, nchunks, chunk, label);
      if (isFitted(label)) std::erase(values, 0.0);
      ASSERT_FALSE(values.empty());
      double sum = 0;
      for (double value : values) sum += value;
      EXPECT_EQ(printed(sum / double(values.size())), printed(means.value(chunk, label)));
      std::sort(values.begin(), values.end());
      const int t = int(values.size()) / 40;
      EXPECT_EQ(printed(values[t]), printed(lower.value(chunk, label)));
      EXPECT_EQ(printed(values[values.size() - 1 - t]), printed(upper.value(chunk, label)));
    }
  }
  EXPECT_EQ(tail, 1);
}

TEST(RunValues, HoldTheChosenMeasuresAndEveryNonFiniteValue) {
  TempDir dir;
  writeFile(dir.file("s.zvc"), zvcText({1, 2, 3, 1, 1, 2}));
  const ProcessResult result =
      runTokshuf(dir, {"--runs", "--measures=H,V,Z", "-p3", "-k6", "s.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  const std::vector<std::string> lines = splitLines(readFile(dir.file("s.mcr")));
  ASSERT_EQ(lines.size(), 1u + 4 * 6);
  EXPECT_EQ(lines[0], "run N H V Z");
  // One token: H is 0/0; three new words: H is infinite.
  EXPECT_EQ(lines[1].substr(0, 8), "0 1 -nan");
  EXPECT_EQ(lines[3], "0 3 inf 3 " + splitFields(lines[3])[4]);
}

TEST(RunValues, NeedPermutationRuns) {
  TempDir dir;
  writeFile(dir.file("s.zvc"), zvcText({1, 2}));
  for (const char* option : {"--runs", "--global"}) {
    const ProcessResult result = runTokshuf(dir, {option, "s.zvc"});
    expectOneErrorLine(result);
    EXPECT_EQ(result.err, std::string("tokshuf: ") + option +
                              " needs permutation runs: give their number with -p\n");
  }
  EXPECT_EQ(listDirectory(dir.path()), std::vector<std::string>{"s.zvc"});
}

}  // namespace
}  // namespace tokshuf::test
