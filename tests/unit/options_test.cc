#include "driver/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fatal_error.h"

namespace tokshuf {
namespace {

// The scanned command line, with the file name copied out of the arguments
// that die with this call.
struct Scanned {
  Settings settings;
  bool helpRequested = false;
  std::string inputName;
  bool hasInput = false;
  bool helpToStandardOutput = false;
  bool versionRequested = false;
};

Scanned scan(std::vector<std::string> args) {
  args.insert(args.begin(), "tokshuf");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const CommandLine line = scanOptions(int(args.size()), argv.data());
  Scanned scanned{line.settings,           line.helpRequested,
                  "",                      line.inputName != nullptr,
                  line.helpToStandardOutput, line.versionRequested};
  if (scanned.hasInput) scanned.inputName = line.inputName;
  return scanned;
}

std::string refusal(std::vector<std::string> args) {
  try {
    scan(std::move(args));
  } catch (const FatalError& error) {
    return error.message();
  }
  return "";
}

TEST(Options, LeesgetalReadsTheDigitsAfterTheLetter) {
  int count = -1;
  bool overflow = true;
  EXPECT_EQ(readOptionValue("k123z", &count, &overflow), 123);
  EXPECT_EQ(count, 3);
  EXPECT_FALSE(overflow);
  EXPECT_EQ(readOptionValue("k-5", &count, &overflow), 0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(readOptionValue("p2147483647", &count, &overflow), 2147483647);
  EXPECT_FALSE(overflow);
  readOptionValue("p2147483648", &count, &overflow);
  EXPECT_TRUE(overflow);
  EXPECT_EQ(count, 10);
}

TEST(Options, GroupedLettersAndValues) {
  const Scanned line = scan({"-p100k10zH", "text.zvc"});
  EXPECT_EQ(line.settings.nperm, 100);
  EXPECT_EQ(line.settings.nchunks, 10);
  EXPECT_TRUE(line.settings.globalPstar);
  EXPECT_FALSE(line.settings.hasHeader);
  EXPECT_EQ(line.inputName, "text.zvc");
}

TEST(Options, DefaultsLaterLettersAndTheFileName) {
  const Scanned defaults = scan({"a.zvc"});
  EXPECT_EQ(defaults.settings.nchunks, 20);
  EXPECT_EQ(defaults.settings.nperm, 0);
  EXPECT_EQ(defaults.settings.confidenceLevel, 95);
  EXPECT_EQ(defaults.settings.rankA, 4);
  EXPECT_EQ(defaults.settings.rankThe, 1);
  const Scanned later = scan({"-k10", "-", "-k5", "a.zvc", "-p100", "-x"});
  EXPECT_EQ(later.settings.nchunks, 5);
  EXPECT_EQ(later.settings.nperm, 0);
  EXPECT_EQ(later.inputName, "a.zvc");
  EXPECT_FALSE(scan({"-p10"}).hasInput);
  EXPECT_TRUE(scan({"-h", "a.zvc"}).helpRequested);
  EXPECT_TRUE(scan({"-k5h", "-x"}).helpRequested);
  const Scanned tracked = scan({"-a7t0c90", "x.zvc"});
  EXPECT_EQ(tracked.settings.rankA, 7);
  EXPECT_EQ(tracked.settings.rankThe, 0);
  EXPECT_EQ(tracked.settings.confidenceLevel, 90);
}

TEST(Options, IllegalLetters) {
  EXPECT_EQ(refusal({"-x", "a.zvc"}), "tokshuf: illegal option x\n");
  EXPECT_EQ(refusal({"-z5", "a.zvc"}), "tokshuf: illegal option 5\n");
  EXPECT_EQ(refusal({"-k3.5", "a.zvc"}), "tokshuf: illegal option .\n");
}

TEST(Options, LongHelpAndVersionEndTheScan) {
  EXPECT_TRUE(scan({"--help"}).helpToStandardOutput);
  EXPECT_TRUE(scan({"-k5", "--help", "-x", "a.zvc"}).helpToStandardOutput);
  EXPECT_FALSE(scan({"--help"}).helpRequested);
  EXPECT_FALSE(scan({"-h"}).helpToStandardOutput);
  EXPECT_FALSE(scan({"a.zvc", "--help"}).helpToStandardOutput);
  EXPECT_EQ(refusal({"--he", "a.zvc"}), "tokshuf: illegal option -\n");
}

TEST(Options, ValueGivenAsItsOwnArgument) {
  EXPECT_EQ(refusal({"-p", "1000", "a.zvc"}),
            "tokshuf: write the value right after its letter: -p1000\n");
  EXPECT_EQ(refusal({"-Hk", "10"}),
            "tokshuf: write the value right after its letter: -Hk10\n");
  // Only a plain number right after the group's last letter counts.
  EXPECT_EQ(refusal({"-p", "-k3", "a.zvc"}), "");
  EXPECT_EQ(refusal({"-p", "1e3", "a.zvc"}), "");
  EXPECT_EQ(refusal({"-p", "", "a.zvc"}), "");
  EXPECT_EQ(refusal({"-pH", "10", "a.zvc"}), "");
  EXPECT_EQ(refusal({"-p10", "20"}), "");
  EXPECT_EQ(scan({"-p", "a.zvc"}).settings.nperm, 0);
}

TEST(Options, ValuesOutOfRange) {
  EXPECT_NE(refusal({"-k", "t.zvc"}), "");  // -k without digits is 0 chunks
  EXPECT_NE(refusal({"-k0", "a.zvc"}), "");
  EXPECT_NE(refusal({"-k41", "a.zvc"}), "");
  EXPECT_NE(refusal({"-p5001", "a.zvc"}), "");
  EXPECT_NE(refusal({"-c101", "a.zvc"}), "");
  EXPECT_NE(refusal({"-a99999999999", "a.zvc"}), "");
  EXPECT_EQ(refusal({"-k40p5000c100", "a.zvc"}), "");
  EXPECT_EQ(refusal({"-k1p0c0", "a.zvc"}), "");
  EXPECT_EQ(refusal({"-k0", "-k3", "a.zvc"}), "");
  for (const std::string& message :
       {refusal({"-k0", "a.zvc"}), refusal({"-t4294967296", "a.zvc"})}) {
    EXPECT_EQ(message.rfind("tokshuf: ", 0), 0u) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
  }
}

}  // namespace
}  // namespace tokshuf
