// The fast engine against the reference engine: for every text and option
// set, all four profile files, the console output and the exit status must
// be identical, byte for byte, for every thread count.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine_run.h"
#include "support/files.h"
#include "test_texts.h"

namespace tokshuf::equivalence {
namespace {

struct Case {
  std::string name;
  std::function<std::string(const std::string&)> text;
  std::vector<std::string> options;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
  out << c.name;
  for (const std::string& option : c.options) out << ' ' << option;
  return out;
}

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"sample", sampleText, {"-p100", "-k40"}},
      {"sample", sampleText, {"-p57", "-k7", "-z", "-c90"}},
      {"sample", sampleText, {"-p30", "-a3", "-t2", "-c99"}},
      {"sample", sampleText, {"-k40"}},
      {"zipfian", zipfianText, {"-p200", "-k40"}},
      {"zipfian", zipfianText, {"-p101", "-k13", "-z", "-c80", "-a2", "-t2"}},
      {"failing_fits", failingFitsText, {"-p100", "-k20"}},
      {"failing_fits", failingFitsText, {"-p64", "-k33", "-z"}},
      {"few_tokens", fewTokensText, {"-p25", "-k20"}},
      {"few_tokens", fewTokensText, {"-p12", "-k40", "-z", "-a1", "-t1"}},
      {"one_token", oneTokenText, {"-p15", "-k3"}},
      {"empty", emptyText, {"-p20", "-k5"}},
      {"fatal_later", fatalInLaterRunText, {"-p80", "-k2"}},
      {"fatal_later", fatalInLaterRunText, {"-p56", "-k2", "-z", "-c50"}},
      {"fatal_later", fatalInLaterRunText, {"-p55", "-k2"}},
      {"long", longText, {"--no-limits", "-p6", "-k9"}},
      {"sample", sampleText, {"--seed=1", "-p60", "-k11"}},
      {"zipfian", zipfianText, {"--seed=18446744073709551615", "-p37", "-k40", "-z"}},
      {"failing_fits", failingFitsText, {"--seed=5", "-p64", "-k20"}},
      {"fatal_later", fatalInLaterRunText, {"--seed=2", "-p150", "-k2"}},
      {"long", longText, {"--no-limits", "--seed=9", "-p6", "-k9"}},
      {"sample", sampleText, {"--runs", "--global", "-p39", "-k13"}},
      {"failing_fits", failingFitsText, {"--global", "--seed=4", "-p79", "-k9", "-c90"}},
      {"sample", sampleText, {"--measures=all", "-p12", "-k10"}},
      {"zipfian", zipfianText,
       {"--measures=diversity,K", "--window=50", "--segment=77", "--mtld-threshold=0.6",
        "--hdd-draws=40", "-p9", "-k17"}},
      {"few_tokens", fewTokensText, {"--measures=all", "-p25", "-k20"}},
      {"sample", sampleText, {"--measures=MTLD,MTLDMA,V", "--seed=3", "--global", "-p19", "-k8"}},
      {"long", longText, {"--no-limits", "--measures=MTLD,MATTR,MSTTR,HDD,vocdD", "-p3", "-k5"}},
      {"types65536", [](const std::string& d) { return manyTypesText(d, 65536); },
       {"--no-limits", "--measures=MTLD,MATTR,TTR", "-p3", "-k4"}},
      {"types65535", [](const std::string& d) { return manyTypesText(d, 65535); },
       {"--no-limits", "-p5", "-k4", "-a3"}},
      {"types65536", [](const std::string& d) { return manyTypesText(d, 65536); },
       {"--no-limits", "-p5", "-k4", "-a3"}},
  };
  return all;
}

class EngineEquivalence : public ::testing::TestWithParam<Case> {
 protected:
  test::TempDir dir_{"tokshuf_equivalence"};
};

void expectSame(const RunResult& reference, const RunResult& fast,
                const std::string& threads) {
  SCOPED_TRACE("threads=" + threads);
  EXPECT_EQ(fast.exitStatus, reference.exitStatus);
  EXPECT_EQ(fast.console, reference.console);
  const char* names[] = {".obs", ".mcm", ".mcl", ".mch", ".mcr", ".mgl", ".mgh", ".mgt"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_TRUE(fast.profiles[i] == reference.profiles[i])
        << names[i] << " differs";
  }
}

TEST_P(EngineEquivalence, SameFilesConsoleAndStatus) {
  const Case& c = GetParam();
  const std::string input = c.text(dir_.path());
  const RunResult reference = runVariant("reference", "1", c.options, input);
  for (const std::string threads : {"1", "2", "3", "default"}) {
    expectSame(reference, runVariant("fast", threads, c.options, input), threads);
  }
}

// The fatal case above is what it claims to be: the reference ends in run
// 56 with the progress numbers up to 50, the message and status 1, and
// leaves the profile files alone.
TEST(FatalInLaterRun, ReferenceEndsAtRun56) {
  const test::TempDir dir("tokshuf_equivalence");
  const std::string input = fatalInLaterRunText(dir.path());
  const RunResult reference = runVariant("reference", "1", {"-p80", "-k2"}, input);
  const RunResult upTo55 = runVariant("reference", "1", {"-p55", "-k2"}, input);
  EXPECT_EQ(upTo55.exitStatus, 0);
  EXPECT_EQ(reference.exitStatus, 1);
  EXPECT_NE(reference.console.find("Running 80 permutations\n10\r20\r30\r40\r50\rz <= 0; "),
            std::string::npos)
      << reference.console;
  for (const std::string& profile : reference.profiles) {
    EXPECT_EQ(profile, "left from an earlier run\n");
  }
}

// Test names such as sample_p100_k40.
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.name;
  for (const std::string& option : info.param.options) {
    name += '_';
    for (char letter : option) {
      if (std::isalnum(static_cast<unsigned char>(letter))) name += letter;
    }
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Texts, EngineEquivalence, ::testing::ValuesIn(cases()),
                         caseName);

}  // namespace
}  // namespace tokshuf::equivalence
