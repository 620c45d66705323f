// Option scanning: the usage text, illegal options, grouped options and
// values, and the refusal of values outside their ranges.

#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/tokshuf_run.h"

namespace tokshuf::test {
namespace {

const std::vector<int> kShortText = {1, 2, 1, 3, 1, 2, 4, 5, 1, 2, 6, 7};

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override { writeFile(dir_.file("t.zvc"), zvcText(kShortText)); }

  ProcessResult run(const std::vector<std::string>& args) {
    return runTokshuf(dir_, args);
  }
  // The directory still holds the input file alone.
  void expectNoOutputFiles() {
    EXPECT_EQ(listDirectory(dir_.path()), std::vector<std::string>{"t.zvc"});
  }
  void expectUsage(const std::vector<std::string>& args) {
    const ProcessResult result = run(args);
    EXPECT_TRUE(result.exitedWith(1)) << result.describe();
    EXPECT_EQ(result.err, usageText());
    expectNoOutputFiles();
  }
  void expectIllegalOption(const std::vector<std::string>& args, char letter) {
    const ProcessResult result = run(args);
    EXPECT_TRUE(result.exitedWith(1)) << result.describe();
    EXPECT_EQ(result.err, std::string("tokshuf: illegal option ") + letter + "\n");
    expectNoOutputFiles();
  }
  // One line on standard error that begins "tokshuf: ", status 1, no file.
  void expectRefused(const std::vector<std::string>& args) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const ProcessResult result = run(args);
    expectOneErrorLine(result);
    expectNoOutputFiles();
  }
  int dataRows(const std::string& name) {
    return readProfile(dir_, name).rowCount();
  }

  TempDir dir_;
};

TEST_F(CommandLineTest, UsageTextWithoutArguments) { expectUsage({}); }

TEST_F(CommandLineTest, UsageTextForHelpOption) { expectUsage({"-h"}); }

TEST_F(CommandLineTest, UsageTextWhenOnlyOptionsAreGiven) {
  expectUsage({"-p10"});
  expectUsage({"-k5", "-z"});
}

TEST_F(CommandLineTest, HelpBeforeValidFileOpensNothing) {
  expectUsage({"-h", "t.zvc"});
  expectUsage({"-k5h", "t.zvc"});
  // Help ends the scan before any value is checked.
  expectUsage({"-k0", "-h", "t.zvc"});
}

TEST_F(CommandLineTest, IllegalOptionLetter) {
  expectIllegalOption({"-x", "t.zvc"}, 'x');
  expectIllegalOption({"-kx", "t.zvc"}, 'x');
  // Every letter is examined before any value is checked.
  expectIllegalOption({"-k0", "-x", "t.zvc"}, 'x');
}

TEST_F(CommandLineTest, DigitAfterValuelessLetterIsIllegal) {
  expectIllegalOption({"-z5", "t.zvc"}, '5');
  expectIllegalOption({"-H1", "t.zvc"}, '1');
}

TEST_F(CommandLineTest, PunctuationIsIllegal) {
  expectIllegalOption({"-k-5", "t.zvc"}, '-');
  expectIllegalOption({"--", "t.zvc"}, '-');
  expectIllegalOption({"-k5.5", "t.zvc"}, '.');
  expectIllegalOption({"-p+5", "t.zvc"}, '+');
  expectIllegalOption({"-k 5", "t.zvc"}, ' ');
}

TEST_F(CommandLineTest, LoneDashIsPassedOver) {
  const ProcessResult result = run({"-", "-k2", "-", "t.zvc"});
  EXPECT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(dataRows("t.obs"), 2);
}

TEST_F(CommandLineTest, ArgumentsAfterFileNameAreIgnored) {
  const ProcessResult result = run({"t.zvc", "-p100", "-x", "-k0"});
  EXPECT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(result.err.find("Running"), std::string::npos) << result.err;
  EXPECT_EQ(listDirectory(dir_.path()), (std::vector<std::string>{"t.obs", "t.zvc"}));
  EXPECT_EQ(dataRows("t.obs"), 20);
}

TEST_F(CommandLineTest, LaterValueOfTheSameLetterWins) {
  ASSERT_TRUE(run({"-k10", "-k5", "t.zvc"}).exitedWith(0));
  EXPECT_EQ(dataRows("t.obs"), 5);
  ASSERT_TRUE(run({"-k3k7", "t.zvc"}).exitedWith(0));
  EXPECT_EQ(dataRows("t.obs"), 7);
}

TEST_F(CommandLineTest, LaterInvalidValueWinsOverEarlierValidOne) {
  expectRefused({"-k10", "-k0", "t.zvc"});
}

TEST_F(CommandLineTest, GroupedLettersWithJoinedValues) {
  // Without a header the "Word z" line is a record; give it a valid rank.
  writeFile(dir_.file("t.zvc"), "Word 1\n" + zvcText(kShortText, false));
  const ProcessResult result = run({"-p100k10zH", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_NE(result.err.find("Loaded t.zvc (13 word tokens)\n"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("Running 100 permutations\n"), std::string::npos)
      << result.err;
  EXPECT_EQ(listDirectory(dir_.path()),
            (std::vector<std::string>{"t.mch", "t.mcl", "t.mcm", "t.obs", "t.zvc"}));
  EXPECT_EQ(dataRows("t.obs"), 10);
  EXPECT_EQ(dataRows("t.mch"), 10);
}

TEST_F(CommandLineTest, ValueMustFollowItsLetterDirectly) {
  // "-k" has no digits, so the chunk count is 0 and refused, and "10" would
  // be the file name.
  expectRefused({"-k", "10"});
  expectRefused({"-k", "t.zvc"});
}

TEST_F(CommandLineTest, ValueAsAnArgumentOfItsOwnIsRefusedWithTheJoinedForm) {
  const auto expectJoinedForm = [&](const std::vector<std::string>& args,
                                    const std::string& joined) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const ProcessResult result = run(args);
    EXPECT_TRUE(result.exitedWith(1)) << result.describe();
    EXPECT_EQ(result.err,
              "tokshuf: write the value right after its letter: " + joined + "\n");
    expectNoOutputFiles();
  };
  expectJoinedForm({"-k", "10", "t.zvc"}, "-k10");
  expectJoinedForm({"-p", "1000", "t.zvc"}, "-p1000");
  expectJoinedForm({"-zp", "1000", "t.zvc"}, "-zp1000");
  expectJoinedForm({"-k5", "-c", "90", "t.zvc"}, "-c90");
  expectJoinedForm({"-a", "007", "t.zvc"}, "-a007");
  // Without a file name after it, the number is still the value meant.
  expectJoinedForm({"-t", "2"}, "-t2");
}

TEST_F(CommandLineTest, LetterWithoutDigitsBeforeOtherArgumentsIsNotAJoinedValue) {
  // The next argument is no plain number, or the letter is not last in its
  // group: the scan goes on as before.
  expectRefused({"-pz", "1000", "t.zvc"});
  expectRefused({"-p", "-10", "t.zvc"});
  expectRefused({"-z", "1000"});
  writeFile(dir_.file("10.zvc"), zvcText(kShortText));
  const ProcessResult named = run({"-k5", "-p", "10.zvc"});
  EXPECT_TRUE(named.exitedWith(0)) << named.describe();
  EXPECT_EQ(dataRows("10.obs"), 5);
}

// --help and --version answer on standard output, which the other runs
// never use.
class LongOptionTest : public CommandLineTest {
 protected:
  ProcessResult runWithOutput(const std::vector<std::string>& args,
                              bool outputToFullDevice = false) {
    ProcessOptions options;
    options.args = args;
    options.workingDirectory = dir_.path();
    options.timeoutSeconds = 120;
    if (outputToFullDevice) {
      options.childSetup.push_back([] {
        const int full = open("/dev/full", O_WRONLY);
        if (full >= 0) dup2(full, STDOUT_FILENO);
      });
    }
    return runProcess(TOKSHUF_BINARY, options);
  }
};

TEST_F(LongOptionTest, HelpWritesTheUsageToStandardOutput) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"-k5", "--help", "t.zvc"}, {"--help", "-x"}}) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const ProcessResult result = runWithOutput(args);
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    // The usage text of -h, then the long options.
    EXPECT_EQ(result.out.substr(0, usageText().size()), usageText());
    EXPECT_NE(result.out.find("\n      --no-limits: texts of any length and any rank\n"),
              std::string::npos);
    EXPECT_EQ(result.err, "");
    expectNoOutputFiles();
  }
}

TEST_F(LongOptionTest, ShortHelpStaysAnErrorOnStandardError) {
  const ProcessResult result = runWithOutput({"-h"});
  EXPECT_TRUE(result.exitedWith(1)) << result.describe();
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, usageText());
}

TEST_F(LongOptionTest, VersionIsTheProjectVersion) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--version"}, {"-k5", "--version", "t.zvc"}}) {
    const ProcessResult result = runWithOutput(args);
    EXPECT_TRUE(result.exitedWith(0)) << result.describe();
    EXPECT_EQ(result.out, "tokshuf " TOKSHUF_VERSION "\n");
    EXPECT_EQ(result.err, "");
    expectNoOutputFiles();
  }
}

TEST_F(LongOptionTest, AnswerThatCannotBeWrittenIsAnError) {
  for (const char* option : {"--help", "--version"}) {
    const ProcessResult result = runWithOutput({option}, true);
    expectOneErrorLine(result);
    EXPECT_EQ(result.err, "tokshuf: can't write standard output\n");
  }
}

TEST_F(LongOptionTest, OtherLongOptionsAreIllegal) {
  expectIllegalOption({"--helpme", "t.zvc"}, '-');
  expectIllegalOption({"--k10", "t.zvc"}, '-');
}

TEST_F(CommandLineTest, LetterWithoutDigitsSetsZero) {
  const ProcessResult result = run({"-p", "-c", "t.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_EQ(listDirectory(dir_.path()), (std::vector<std::string>{"t.obs", "t.zvc"}));
}

TEST_F(CommandLineTest, ChunkCountOutsideOneToForty) {
  expectRefused({"-k0", "t.zvc"});
  expectRefused({"-k41", "t.zvc"});
  expectRefused({"-k000", "t.zvc"});
}

TEST_F(CommandLineTest, PermutationCountAbove5000) {
  expectRefused({"-p5001", "t.zvc"});
}

TEST_F(CommandLineTest, ConfidenceLevelAbove100) {
  expectRefused({"-c101", "t.zvc"});
}

TEST_F(CommandLineTest, ValuesThatDoNotFitAnIntForEveryLetter) {
  for (const char* letter : {"k", "p", "c", "t", "a"}) {
    expectRefused({std::string("-") + letter + "999999999999", "t.zvc"});
    expectRefused({std::string("-") + letter + "2147483648", "t.zvc"});
  }
}

TEST_F(CommandLineTest, RangeRefusalComesBeforeTheInputIsOpened) {
  const ProcessResult result = run({"-k41", "missing.zvc"});
  expectOneErrorLine(result);
  EXPECT_EQ(result.err.find("missing.zvc"), std::string::npos) << result.err;
}

TEST_F(CommandLineTest, LimitValuesAreAccepted) {
  ASSERT_TRUE(run({"-k40", "-c0", "t.zvc"}).exitedWith(0));
  EXPECT_EQ(dataRows("t.obs"), 40);
  ASSERT_TRUE(run({"-k1", "-c100", "-p0", "t.zvc"}).exitedWith(0));
  EXPECT_EQ(dataRows("t.obs"), 1);
  writeFile(dir_.file("p.zvc"), zvcText({1, 2, 1, 3}));
  const ProcessResult result = run({"-a2147483647", "-t0", "-p5000", "-k2", "p.zvc"});
  ASSERT_TRUE(result.exitedWith(0)) << result.describe();
  EXPECT_NE(result.err.find("Running 5000 permutations\n"), std::string::npos);
  EXPECT_EQ(dataRows("p.mcm"), 2);
}

}  // namespace
}  // namespace tokshuf::test
