#pragma once

// Program output shown in the README and the manual pages, found by the
// marks that the documents carry, and compared with what the programs print.
//
// A Markdown document marks a fenced block with an HTML comment on a line of
// its own before the block (blank lines may come between):
//
//   <!-- checked-example -->             the block holds "$ command" lines,
//                                        each followed by its output
//   <!-- checked-example in DIR -->      the same, run in DIR
//   <!-- checked-example: COMMAND -->    the whole block is COMMAND's output
//   <!-- checked-example in DIR: COMMAND -->
//   <!-- commands-only -->               "$ command" lines shown without
//                                        their output; not run
//
// A manual page marks an .EX/.EE block with the same words in a comment
// line before it (other requests such as .RS may come between):
//
//   .\" checked-example in examples
//
// Elisions must be written out: an expected line that is "..." alone stands
// for any number of lines (none included); an expected line that ends in
// " ..." stands for a line that begins with the text before it.

#include <string>
#include <vector>

namespace tokshuf::test {

struct DocumentedExample {
  int line = 0;                // line of the block's first content line
  bool checked = false;        // false: a commands-only block
  std::string directory;       // where the commands run, relative; "" = top
  std::string command;         // the mark's COMMAND; empty: "$" lines
  std::vector<std::string> lines;  // the block's content, unescaped
};

// The marked blocks of a document, in document order. Throws
// std::runtime_error for a mark that is not followed by a block.
std::vector<DocumentedExample> markdownExamples(const std::string& text);
std::vector<DocumentedExample> manPageExamples(const std::string& text);

// Lines of blocks that show a "$ " command but carry no mark: the first
// content line of each.
std::vector<int> unmarkedMarkdownCommands(const std::string& text);
std::vector<int> unmarkedManPageCommands(const std::string& text);

// One command and the output the document shows for it.
struct ShownRun {
  std::string command;
  std::vector<std::string> output;
};
std::vector<ShownRun> shownRuns(const DocumentedExample& example);

// Output as a terminal shows it: split into lines, and within a line a
// carriage return lets what follows overwrite what came before.
std::vector<std::string> terminalLines(const std::string& output);

// Whether actual matches expected with its elisions (see above).
bool matchesShown(const std::vector<std::string>& expected,
                  const std::vector<std::string>& actual);

}  // namespace tokshuf::test
