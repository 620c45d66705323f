// Every program output that the README, docs/measures.md and the manual
// pages show is produced here by running the command shown and comparing
// what it prints, so that the documents cannot drift from the programs.
// The commands run in a scratch copy of examples/ and tests/docs/fixtures/,
// with build/bin/ beside them and on the PATH.

#include <cctype>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "documented_example.h"
#include "montecarlo/summary_tables.h"
#include "support/files.h"
#include "support/process.h"

namespace tokshuf::test {
namespace {

// ---- The mechanism itself ----

TEST(DocumentedExample, MarkdownMarksAndTheirBlocks) {
  const std::string text =
      "Intro\n"
      "<!-- checked-example in examples -->\n"
      "\n"
      "```\n"
      "$ tokshuf -p 1000 genesis.zvc\n"
      "tokshuf: write the value right after its letter: -p1000\n"
      "```\n"
      "<!-- checked-example: head -n 1 examples/genesis.zvc -->\n"
      "```\n"
      "Word z\n"
      "```\n"
      "```sh\n"
      "$ not marked\n"
      "```\n"
      "<!-- commands-only -->\n"
      "```\n"
      "$ tokshuf novel.zvc\n"
      "```\n";
  const std::vector<DocumentedExample> examples = markdownExamples(text);
  ASSERT_EQ(examples.size(), 3u);
  EXPECT_EQ(examples[0].line, 5);
  EXPECT_TRUE(examples[0].checked);
  EXPECT_EQ(examples[0].directory, "examples");
  EXPECT_EQ(examples[0].command, "");
  EXPECT_EQ(examples[0].lines.size(), 2u);
  EXPECT_EQ(examples[1].command, "head -n 1 examples/genesis.zvc");
  EXPECT_EQ(examples[1].directory, "");
  EXPECT_EQ(examples[1].lines, std::vector<std::string>{"Word z"});
  EXPECT_FALSE(examples[2].checked);
  EXPECT_EQ(unmarkedMarkdownCommands(text), std::vector<int>{13});
}

TEST(DocumentedExample, MarkWithoutABlockOrBlockWithoutEndIsAnError) {
  EXPECT_THROW(markdownExamples("<!-- checked-example -->\ntext\n```\nx\n```\n"),
               std::runtime_error);
  EXPECT_THROW(markdownExamples("<!-- checked-example -->\n```\nx\n"), std::runtime_error);
  EXPECT_THROW(manPageExamples(".\\\" checked-example\ntext\n.EX\nx\n.EE\n"),
               std::runtime_error);
  EXPECT_THROW(manPageExamples(".\\\" checked-example\n.EX\nx\n"), std::runtime_error);
}

TEST(DocumentedExample, ManPageMarksAndRoffEscapes) {
  const std::string text =
      ".PP\n"
      ".\\\" checked-example in examples\n"
      ".RS\n"
      ".EX\n"
      "$ tokshuf \\-p1000 \\e\\(aqx\\(aq \\(dqy\\(dq a\\&b\n"
      "1000\n"
      ".EE\n"
      ".RE\n"
      ".EX\n"
      "$ tokshuf\\-rank novel.txt\n"
      ".EE\n";
  const std::vector<DocumentedExample> examples = manPageExamples(text);
  ASSERT_EQ(examples.size(), 1u);
  EXPECT_EQ(examples[0].line, 5);
  EXPECT_EQ(examples[0].lines,
            (std::vector<std::string>{"$ tokshuf -p1000 \\'x' \"y\" ab", "1000"}));
  EXPECT_EQ(unmarkedManPageCommands(text), std::vector<int>{10});
}

TEST(DocumentedExample, CommandsAndTheirOutputs) {
  DocumentedExample example;
  example.lines = {"$ a", "one", "two", "$ b", "$ c", "three"};
  const std::vector<ShownRun> runs = shownRuns(example);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].command, "a");
  EXPECT_EQ(runs[0].output, (std::vector<std::string>{"one", "two"}));
  EXPECT_TRUE(runs[1].output.empty());
  EXPECT_EQ(runs[2].output, std::vector<std::string>{"three"});
  example.lines = {"output first"};
  EXPECT_THROW(shownRuns(example), std::runtime_error);
}

TEST(DocumentedExample, CarriageReturnsOverwriteAsOnATerminal) {
  EXPECT_EQ(terminalLines("Running\n10\r20\r100\r\nDone\n"),
            (std::vector<std::string>{"Running", "100", "Done"}));
  EXPECT_EQ(terminalLines("990\r1000\rab"), std::vector<std::string>{"ab00"});
  EXPECT_EQ(terminalLines(""), std::vector<std::string>{});
}

TEST(DocumentedExample, OnlyWrittenElisionsAreAllowed) {
  const std::vector<std::string> actual = {"a 1 2 3", "b", "c", "d"};
  EXPECT_TRUE(matchesShown({"a 1 2 3", "b", "c", "d"}, actual));
  EXPECT_TRUE(matchesShown({"a 1 ...", "b", "c", "d"}, actual));
  EXPECT_TRUE(matchesShown({"a 1 2 3", "...", "d"}, actual));
  EXPECT_TRUE(matchesShown({"...", "a 1 2 3", "b", "c", "d", "..."}, actual));
  EXPECT_TRUE(matchesShown({"..."}, {}));
  EXPECT_FALSE(matchesShown({"a 1 2 3", "b", "c"}, actual));
  EXPECT_FALSE(matchesShown({"a 1 2", "b", "c", "d"}, actual));
  EXPECT_FALSE(matchesShown({"a 2 ...", "b", "c", "d"}, actual));
  EXPECT_FALSE(matchesShown({"a 1 2 3", "...", "c"}, actual));
  EXPECT_FALSE(matchesShown({"b", "..."}, actual));
}

// ---- The documents ----

struct Document {
  std::string path;  // relative to the source tree
  bool manPage = false;
};

void PrintTo(const Document& document, std::ostream* out) { *out << document.path; }

void copyDirectory(const std::string& from, const std::string& to) {
  for (const std::string& name : listDirectory(from)) {
    writeFile(to + "/" + name, readFile(from + "/" + name));
  }
}

// A scratch tree: examples/, the fixtures at the top, build/bin/.
class ScratchTree {
 public:
  ScratchTree() {
    const std::string examples = dir_.file("examples");
    if (mkdir(examples.c_str(), 0777) != 0 || mkdir(dir_.file("build").c_str(), 0777) != 0 ||
        symlink(TOKSHUF_BIN_DIR, dir_.file("build/bin").c_str()) != 0) {
      throw std::runtime_error("cannot set up " + dir_.path());
    }
    copyDirectory(TOKSHUF_SOURCE_DIR "/examples", examples);
    copyDirectory(TOKSHUF_SOURCE_DIR "/tests/docs/fixtures", dir_.path());
  }

  // Runs command with bash in directory (relative to the top), standard
  // error joined to standard output as on a terminal.
  ProcessResult run(const std::string& command, const std::string& directory) {
    ProcessOptions options;
    options.args = {"-c", "export PATH='" TOKSHUF_BIN_DIR "':\"$PATH\"\nexec 2>&1\n" + command};
    options.workingDirectory = directory.empty() ? dir_.path() : dir_.file(directory);
    options.timeoutSeconds = 120;
    return runProcess("/bin/bash", options);
  }

 private:
  TempDir dir_{"tokshuf-docs"};
};

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class DocumentTest : public ::testing::TestWithParam<Document> {
 protected:
  std::string text() { return readFile(std::string(TOKSHUF_SOURCE_DIR "/") + GetParam().path); }
  std::vector<DocumentedExample> examples() {
    return GetParam().manPage ? manPageExamples(text()) : markdownExamples(text());
  }
};

TEST_P(DocumentTest, EveryShownCommandIsMarked) {
  const std::vector<int> unmarked = GetParam().manPage ? unmarkedManPageCommands(text())
                                                       : unmarkedMarkdownCommands(text());
  EXPECT_TRUE(unmarked.empty()) << "blocks with \"$ \" commands and no mark, at lines "
                                << ::testing::PrintToString(unmarked);
}

// The checked examples of one document run in order in one scratch tree,
// so that a later example may read the files an earlier one wrote.
TEST_P(DocumentTest, ShownOutputIsWhatTheProgramsPrint) {
  ScratchTree tree;
  for (const DocumentedExample& example : examples()) {
    if (!example.checked) continue;
    for (const ShownRun& shown : shownRuns(example)) {
      SCOPED_TRACE(GetParam().path + ":" + std::to_string(example.line) + ": " + shown.command);
      const ProcessResult result = tree.run(shown.command, example.directory);
      ASSERT_FALSE(result.timedOut);
      const std::vector<std::string> actual = terminalLines(result.out);
      EXPECT_TRUE(matchesShown(shown.output, actual))
          << "shown:\n" << joined(shown.output) << "printed:\n" << joined(actual);
    }
  }
}

// The table of tail counts in docs/measures.md: a header row "| runs n |
// C = 80 | ..." and one row per run count, after the mark line.
TEST(MeasuresDocument, TailCountTableIsWhatTheProgramComputes) {
  std::istringstream in(readFile(TOKSHUF_SOURCE_DIR "/docs/measures.md"));
  std::string line;
  while (std::getline(in, line) && line != "<!-- tail-count-table -->") {
  }
  ASSERT_TRUE(std::getline(in, line)) << "no tail-count table";
  std::vector<int> levels;
  for (std::size_t at = line.find("C = "); at != std::string::npos;
       at = line.find("C = ", at + 1)) {
    levels.push_back(std::stoi(line.substr(at + 4)));
  }
  ASSERT_FALSE(levels.empty());
  std::getline(in, line);  // the alignment row
  int rows = 0;
  while (std::getline(in, line) && line.starts_with("|")) {
    std::istringstream cells(line.substr(1));
    std::string cell;
    std::getline(cells, cell, '|');
    const int runs = std::stoi(cell);
    for (const int level : levels) {
      ASSERT_TRUE(std::getline(cells, cell, '|')) << line;
      EXPECT_EQ(std::stoi(cell), tailCount(runs, level)) << runs << " runs at " << level;
    }
    ++rows;
  }
  EXPECT_GE(rows, 5);
}

// The README, every Markdown file in docs/ and every manual page: a new
// document is checked without being listed here.
std::vector<Document> allDocuments() {
  std::vector<Document> documents{{"README.md"}};
  for (const std::string& name : listDirectory(TOKSHUF_SOURCE_DIR "/docs")) {
    if (name.ends_with(".md")) documents.push_back({"docs/" + name});
  }
  for (const std::string& name : listDirectory(TOKSHUF_SOURCE_DIR "/man")) {
    if (name.ends_with(".1")) documents.push_back({"man/" + name, true});
  }
  return documents;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DocumentTest, ::testing::ValuesIn(allDocuments()),
    [](const ::testing::TestParamInfo<Document>& info) {
      std::string name;
      for (const char c : info.param.path) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      }
      return name;
    });

}  // namespace
}  // namespace tokshuf::test
