#include "util/output_set.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "support/files.h"
#include "util/file_output_stream.h"

namespace tokshuf::util {
namespace {

using test::fileExists;
using test::listDirectory;
using test::readFile;
using test::TempDir;
using test::writeFile;

void write(OutputSet& outputs, int index, const std::string& text) {
  FileOutputStream stream(outputs.stream(index));
  stream << text;
}

TEST(OutputSet, CommitReplacesEveryTargetAndLeavesNothingElse) {
  TempDir dir;
  writeFile(dir.file("a.txt"), "old a");
  OutputSet outputs;
  write(outputs, outputs.add(dir.file("a.txt")), "new a");
  write(outputs, outputs.add(dir.file("b.txt")), "new b");
  EXPECT_EQ(readFile(dir.file("a.txt")), "old a");
  outputs.commit();
  EXPECT_EQ(readFile(dir.file("a.txt")), "new a");
  EXPECT_EQ(readFile(dir.file("b.txt")), "new b");
  EXPECT_EQ(listDirectory(dir.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(OutputSet, WithoutCommitTheTargetsStayAsTheyWere) {
  TempDir dir;
  writeFile(dir.file("a.txt"), "old a");
  {
    OutputSet outputs;
    write(outputs, outputs.add(dir.file("a.txt")), "new a");
    write(outputs, outputs.add(dir.file("b.txt")), "new b");
  }
  EXPECT_EQ(listDirectory(dir.path()), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(readFile(dir.file("a.txt")), "old a");
}

TEST(OutputSet, ProtectedInputIsRefusedUnderAnyName) {
  TempDir dir;
  writeFile(dir.file("in.txt"), "input");
  ASSERT_EQ(link(dir.file("in.txt").c_str(), dir.file("hard.txt").c_str()), 0);
  ASSERT_EQ(symlink("in.txt", dir.file("soft.txt").c_str()), 0);
  OutputSet outputs;
  outputs.protect(dir.file("in.txt"));
  for (const char* name : {"in.txt", "hard.txt", "soft.txt"}) {
    try {
      outputs.add(dir.file(name));
      ADD_FAILURE() << name << " accepted";
    } catch (const OutputError& error) {
      EXPECT_EQ(error.kind(), OutputError::Kind::kIsAnInput);
      EXPECT_EQ(std::string(error.what()), dir.file(name) + " is one of the inputs");
    }
  }
  EXPECT_EQ(readFile(dir.file("in.txt")), "input");
}

TEST(OutputSet, DirectoryTargetCannotBeCreated) {
  TempDir dir;
  OutputSet outputs;
  try {
    outputs.add(dir.path());
    ADD_FAILURE() << "a directory accepted as output";
  } catch (const OutputError& error) {
    EXPECT_EQ(error.kind(), OutputError::Kind::kCannotCreate);
    EXPECT_EQ(std::string(error.what()), "cannot create " + dir.path() + ": Is a directory");
  }
}

TEST(OutputSet, WriteErrorFailsTheCommitAndKeepsTheEarlierFile) {
  TempDir dir;
  writeFile(dir.file("a.txt"), "old a");
  OutputSet outputs;
  const int index = outputs.add(dir.file("a.txt"));
  write(outputs, index, "new a");
  // A stream whose error indicator is set has lost some of its output.
  std::fgetc(outputs.stream(index));
  try {
    outputs.commit();
    ADD_FAILURE() << "commit succeeded";
  } catch (const OutputError& error) {
    EXPECT_EQ(error.kind(), OutputError::Kind::kCannotWrite);
  }
  EXPECT_EQ(readFile(dir.file("a.txt")), "old a");
  EXPECT_EQ(listDirectory(dir.path()), std::vector<std::string>{"a.txt"});
}

TEST(FileOutputStream, FailedWriteMarksTheStreamBad) {
  std::FILE* full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  std::setvbuf(full, nullptr, _IONBF, 0);
  FileOutputStream stream(full);
  stream << "lost";
  EXPECT_TRUE(stream.bad());
  std::fclose(full);
}

}  // namespace
}  // namespace tokshuf::util
