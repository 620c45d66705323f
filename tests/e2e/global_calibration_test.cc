// Texts whose token order really is random: each a Zipfian sample drawn
// token by token, so every order of its tokens is as likely as the drawn
// one. A test at the 5 % level must reject about 5 % of them; the
// pointwise band, read as a test of the whole curve, rejects far more.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

constexpr int kTexts = 200;

// Limits of Binomial(200, 0.05) that hold at least 95 % of it, about equal
// tails: P(X <= 3) = 0.009 and P(X >= 18) = 0.012, so 4..17 texts.
constexpr int kFewest = 4, kMost = 17;

struct Shares {
  int globalV = 0, globalK = 0, combined = 0;
  int pointwiseV = 0, pointwiseK = 0, pointwiseAny = 0;
};

double pOf(const std::vector<std::string>& table, const std::string& measure) {
  for (const std::string& line : table) {
    const std::vector<std::string> fields = splitFields(line);
    if (fields[0] == measure) return std::stod(fields[1]);
  }
  ADD_FAILURE() << "no row " << measure;
  return 1;
}

// Whether some chunk of the column lies outside the pointwise band.
bool leavesBand(const Profile& obs, const Profile& low, const Profile& high,
                const std::string& label) {
  for (int row = 0; row < obs.rowCount(); ++row) {
    const double v = obs.value(row, label);
    if (v < low.value(row, label) || v > high.value(row, label)) return true;
  }
  return false;
}

TEST(GlobalCalibration, RejectsAboutFivePercentOfRandomOrders) {
#ifdef TOKSHUF_SANITIZED
  GTEST_SKIP() << "200 runs are too slow under the sanitizers";
#else
  TempDir dir;
  Shares shares;
  for (int seed = 1; seed <= kTexts; ++seed) {
    writeFile(dir.file("t.zvc"), zvcText(zipfianRanks({5000, 2000, 1.0, std::uint64_t(seed)})));
    const ProcessResult result = runTokshuf(dir, {"--global", "-p199", "-k20", "t.zvc"});
    ASSERT_TRUE(result.exitedWith(0)) << result.describe();
    const std::vector<std::string> table = splitLines(readFile(dir.file("t.mgt")));
    shares.globalV += pOf(table, "V") <= 0.05;
    shares.globalK += pOf(table, "K") <= 0.05;
    shares.combined += pOf(table, "all") <= 0.05;
    const Profile obs = readProfile(dir, "t.obs");
    const Profile low = readProfile(dir, "t.mcl");
    const Profile high = readProfile(dir, "t.mch");
    shares.pointwiseV += leavesBand(obs, low, high, "V");
    shares.pointwiseK += leavesBand(obs, low, high, "K");
    bool any = false;
    for (std::size_t c = 1; c < obs.labels().size(); ++c) {
      any = any || leavesBand(obs, low, high, obs.labels()[c]);
    }
    shares.pointwiseAny += any;
  }
  std::printf(
      "Of %d texts in random order: p <= 0.05 for V %d, K %d, combined %d; some chunk outside "
      "the pointwise band: V %d, K %d, any measure %d\n",
      kTexts, shares.globalV, shares.globalK, shares.combined, shares.pointwiseV,
      shares.pointwiseK, shares.pointwiseAny);
  for (int rejected : {shares.globalV, shares.globalK, shares.combined}) {
    EXPECT_GE(rejected, kFewest);
    EXPECT_LE(rejected, kMost);
  }
  EXPECT_GT(shares.pointwiseV, 2 * kMost);
  EXPECT_GT(shares.pointwiseK, 2 * kMost);
  EXPECT_GT(shares.pointwiseAny, 5 * kMost);
#endif
}

}  // namespace
}  // namespace tokshuf::test
