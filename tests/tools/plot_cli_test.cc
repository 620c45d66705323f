// Runs the built tokshuf-plot as a user would, at the edges: outputs that
// are inputs, file-size and memory limits, a full standard output, several
// texts and the plane.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/process.h"

namespace tokshuf {
namespace {

using test::fileExists;
using test::listDirectory;
using test::ProcessOptions;
using test::ProcessResult;
using test::readFile;
using test::TempDir;
using test::writeFile;

const std::string kHeader =
    "N K D V V1 V2 V3 V4 V5 R W S H C E lM lSt b c a1 Z fa fthe sLmean sLstdev\n";

// A profile file of `chunks` rows of 100 tokens each; every measure of
// row i is base + i.
std::string profile(int chunks, double base) {
  std::string text = kHeader;
  for (int i = 1; i <= chunks; ++i) {
    text += std::to_string(100 * i);
    for (int c = 0; c < 24; ++c) text += "  " + std::to_string(base + i);
    text += '\n';
  }
  return text;
}

// TEXT.obs with its Monte Carlo files beside it.
void writeRun(const TempDir& dir, const std::string& text, int chunks, double base) {
  writeFile(dir.file(text + ".obs"), profile(chunks, base));
  writeFile(dir.file(text + ".mcm"), profile(chunks, base));
  writeFile(dir.file(text + ".mcl"), profile(chunks, base - 1));
  writeFile(dir.file(text + ".mch"), profile(chunks, base + 1));
}

ProcessResult plot(const TempDir& dir, std::vector<std::string> args,
                   std::vector<std::function<void()>> setup = {}) {
  ProcessOptions options;
  options.args = std::move(args);
  options.workingDirectory = dir.path();
  options.childSetup = std::move(setup);
  options.timeoutSeconds = 60;
  return test::runProcess(TOKSHUF_PLOT_BIN, options);
}

bool wellFormedXml(const std::string& text) {
  xmlDoc* doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), "out.svg", nullptr,
                              XML_PARSE_NONET);
  if (doc) xmlFreeDoc(doc);
  return doc != nullptr;
}

// One line on standard error, starting with the program's name.
void expectOneLineError(const ProcessResult& r, const std::string& containing) {
  EXPECT_TRUE(r.exitedWith(1)) << r.describe();
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.err.rfind("tokshuf-plot: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(containing), std::string::npos) << r.err;
}

TEST(PlotCliTest, HelpAndVersionGoToStandardOutput) {
  TempDir dir;
  const ProcessResult help = plot(dir, {"--help"});
  EXPECT_TRUE(help.exitedWith(0));
  EXPECT_EQ(help.out.rfind("usage: tokshuf-plot [-o OUTPUT.svg]", 0), 0u) << help.out;
  EXPECT_EQ(plot(dir, {"-h"}).out, help.out);
  const ProcessResult version = plot(dir, {"--version"});
  EXPECT_TRUE(version.exitedWith(0));
  EXPECT_EQ(version.out.rfind("tokshuf-plot ", 0), 0u);
  EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '\n'), 1);
}

TEST(PlotCliTest, AFailedWriteOfTheUsageTextIsAnError) {
  TempDir dir;
  auto fullStandardOutput = [] {
    const int full = open("/dev/full", O_WRONLY);
    if (full >= 0) dup2(full, STDOUT_FILENO);
  };
  expectOneLineError(plot(dir, {"-h"}, {fullStandardOutput}), "cannot write standard output");
  expectOneLineError(plot(dir, {"--version"}, {fullStandardOutput}),
                     "cannot write standard output");
}

TEST(PlotCliTest, ReportsWhatItWrote) {
  TempDir dir;
  writeRun(dir, "a", 3, 10);
  writeRun(dir, "b", 5, 20);
  ProcessResult r = plot(dir, {"a.obs"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.err, "Wrote a.svg (24 panels, 3 chunks)\n");
  EXPECT_TRUE(wellFormedXml(readFile(dir.file("a.svg"))));

  r = plot(dir, {"--relative", "-o", "both.svg", "a.obs", "b.obs"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.err, "Wrote both.svg (24 panels, 2 texts)\n");
  EXPECT_NE(readFile(dir.file("both.svg")).find("2 texts: a, b"), std::string::npos);

  r = plot(dir, {"--plane", "Z,K", "--log", "xy", "a.obs", "b.obs", "-o", "-"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.err, "Wrote standard output (K against Z, 2 texts)\n");
  EXPECT_TRUE(wellFormedXml(r.out));
  EXPECT_NE(r.out.find("class=\"trajectory\""), std::string::npos);

  // The older form, with the picture named second.
  r = plot(dir, {"b.obs", "old-form.svg"});
  ASSERT_TRUE(r.exitedWith(0)) << r.describe();
  EXPECT_EQ(r.err, "Wrote old-form.svg (24 panels, 5 chunks)\n");
}

TEST(PlotCliTest, CommandLineMistakesAreOneLine) {
  TempDir dir;
  writeRun(dir, "a", 3, 10);
  std::vector<std::string> nine{"-o", "x.svg"};
  for (int i = 0; i < 9; ++i) nine.push_back("a.obs");
  expectOneLineError(plot(dir, nine), "at most 8 texts in one picture, not 9");
  expectOneLineError(plot(dir, {"-o", "x.svg", "a.obs", "./a.obs"}),
                     "./a.obs and a.obs are the same file");
  expectOneLineError(plot(dir, {"--plane", "Z,Y", "a.obs"}),
                     "unknown measure \"Y\" in --plane; valid are K D V");
  expectOneLineError(plot(dir, {"a.obs", "b.obs"}), "several texts need an output name");
  EXPECT_EQ(listDirectory(dir.path()),
            (std::vector<std::string>{"a.mch", "a.mcl", "a.mcm", "a.obs"}));
}

TEST(PlotCliTest, AnOutputThatIsAnInputIsRefused) {
  TempDir dir;
  writeRun(dir, "g", 3, 10);
  writeRun(dir, "h", 3, 50);
  ASSERT_EQ(link(dir.file("g.obs").c_str(), dir.file("hard.svg").c_str()), 0);
  ASSERT_EQ(symlink("g.mch", dir.file("soft.svg").c_str()), 0);
  const std::vector<std::string> before = listDirectory(dir.path());
  const std::vector<std::vector<std::string>> attempts{
      {"-o", "g.obs", "g.obs"},           // the profile itself
      {"-o", "g.mcm", "g.obs"},           // a companion of it
      {"-o", "./h.mcl", "g.obs", "h.obs"},  // a companion of another input
      {"g.obs", "hard.svg"},              // a hard link to it, in the older form
      {"-o", "soft.svg", "g.obs"},        // a symbolic link to a companion
  };
  for (const auto& args : attempts) {
    SCOPED_TRACE(args[1]);
    expectOneLineError(plot(dir, args), "is one of the inputs");
  }
  EXPECT_EQ(readFile(dir.file("g.obs")), profile(3, 10));
  EXPECT_EQ(readFile(dir.file("g.mcm")), profile(3, 10));
  EXPECT_EQ(readFile(dir.file("g.mch")), profile(3, 11));
  EXPECT_EQ(readFile(dir.file("h.mcl")), profile(3, 49));
  EXPECT_EQ(listDirectory(dir.path()), before);  // no temporary file left
}

TEST(PlotCliTest, AFileSizeLimitLeavesTheEarlierPictureUntouched) {
  TempDir dir;
  writeRun(dir, "g", 20, 10);
  writeFile(dir.file("g.svg"), "an earlier picture\n");
  const std::vector<std::string> before = listDirectory(dir.path());
  const ProcessResult r = plot(dir, {"g.obs"}, {test::limitFileSize(4096)});
  expectOneLineError(r, "cannot write g.svg");
  EXPECT_FALSE(r.signaled) << r.describe();
  EXPECT_EQ(readFile(dir.file("g.svg")), "an earlier picture\n");
  EXPECT_EQ(listDirectory(dir.path()), before);
}

TEST(PlotCliTest, RunningOutOfMemoryIsReportedAndWritesNothing) {
#ifdef TOKSHUF_SANITIZED
  GTEST_SKIP() << "sanitizer runtimes reserve address space of their own";
#endif
  TempDir dir;
  std::vector<std::string> args{"-o", "out.svg"};
  for (int i = 0; i < 8; ++i) {
    const std::string text = std::string("t").append(std::to_string(i));
    writeRun(dir, text, 40, 10 * i);
    args.push_back(text + ".obs");
  }
  const std::vector<std::string> before = listDirectory(dir.path());
  // Somewhere between a limit too low to start the program and one that
  // leaves enough to draw, drawing runs out of memory. At every limit the
  // run either writes the whole picture or reports running out and writes
  // nothing.
  int outOfMemory = 0;
  for (rlim_t megabytes = 2; megabytes <= 64; ++megabytes) {
    SCOPED_TRACE(std::to_string(megabytes) + " MiB");
    const ProcessResult r =
        plot(dir, args, {test::limitResource(RLIMIT_AS, megabytes << 20)});
    if (r.exitedWith(0)) {
      EXPECT_TRUE(wellFormedXml(readFile(dir.file("out.svg"))));
      break;
    }
    EXPECT_EQ(listDirectory(dir.path()), before);
    if (r.err == "tokshuf-plot: out of memory\n") {
      EXPECT_TRUE(r.exitedWith(1));
      ++outOfMemory;
    }
  }
  EXPECT_GT(outOfMemory, 0);
}

}  // namespace
}  // namespace tokshuf
