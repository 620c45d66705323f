#include "documented_example.h"

#include <sstream>
#include <stdexcept>

namespace tokshuf::test {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A mark's words after its keyword: "[in DIR][: COMMAND]".
struct Mark {
  bool checked = false;
  std::string directory;
  std::string command;
};

// The mark in a comment's text, or false when the comment is not a mark.
bool parseMark(const std::string& comment, Mark& mark) {
  std::string rest = trimmed(comment);
  if (rest == "commands-only") {
    mark = Mark{};
    return true;
  }
  const std::string keyword = "checked-example";
  if (!startsWith(rest, keyword)) return false;
  rest = rest.substr(keyword.size());
  mark = Mark{true, "", ""};
  const auto colon = rest.find(':');
  if (colon != std::string::npos) {
    mark.command = trimmed(rest.substr(colon + 1));
    rest = rest.substr(0, colon);
  }
  rest = trimmed(rest);
  if (startsWith(rest, "in ")) {
    mark.directory = trimmed(rest.substr(3));
  } else if (!rest.empty()) {
    return false;
  }
  return true;
}

bool markdownMark(const std::string& line, Mark& mark) {
  const std::string t = trimmed(line);
  if (!startsWith(t, "<!--") || t.size() < 7 || t.substr(t.size() - 3) != "-->") {
    return false;
  }
  return parseMark(t.substr(4, t.size() - 7), mark);
}

bool manPageMark(const std::string& line, Mark& mark) {
  return startsWith(line, ".\\\"") && parseMark(line.substr(3), mark);
}

// Roff escapes that the examples use, turned back into the characters that
// the reader sees.
std::string unescapeRoff(const std::string& line) {
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\\' || i + 1 == line.size()) {
      text += line[i];
      continue;
    }
    const char next = line[++i];
    if (next == '-' || next == '\\') {
      text += next;
    } else if (next == 'e') {
      text += '\\';
    } else if (next == '&') {
    } else if (next == '(' && i + 2 < line.size()) {
      const std::string name = line.substr(i + 1, 2);
      i += 2;
      if (name == "aq") text += '\'';
      else if (name == "dq") text += '"';
      else throw std::runtime_error("unknown roff escape \\(" + name);
    } else {
      throw std::runtime_error(std::string("unknown roff escape \\") + next);
    }
  }
  return text;
}

// A block: its first content line (1-based) and its lines.
struct Block {
  int line = 0;
  std::vector<std::string> lines;
};

std::string unterminated(int start) {
  return "line " + std::to_string(start + 1) + ": the example block does not end";
}

// Fenced blocks of a Markdown document, keyed by the line of the fence.
std::vector<std::pair<int, Block>> markdownBlocks(const std::vector<std::string>& lines) {
  std::vector<std::pair<int, Block>> blocks;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!startsWith(lines[i], "```")) continue;
    Block block{int(i) + 2, {}};
    const int fence = int(i);
    for (++i; i < lines.size() && !startsWith(lines[i], "```"); ++i) {
      block.lines.push_back(lines[i]);
    }
    if (i == lines.size()) throw std::runtime_error(unterminated(fence));
    blocks.emplace_back(fence, block);
  }
  return blocks;
}

std::vector<std::pair<int, Block>> manPageBlocks(const std::vector<std::string>& lines) {
  std::vector<std::pair<int, Block>> blocks;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != ".EX") continue;
    Block block{int(i) + 2, {}};
    const int start = int(i);
    for (++i; i < lines.size() && lines[i] != ".EE"; ++i) {
      block.lines.push_back(unescapeRoff(lines[i]));
    }
    if (i == lines.size()) throw std::runtime_error(unterminated(start));
    blocks.emplace_back(start, block);
  }
  return blocks;
}

// Pairs every mark with the next block; a mark must not be separated from
// it by text other than blank lines (Markdown) or requests (roff).
template <typename IsMark, typename MayPrecedeBlock>
std::vector<DocumentedExample> markedBlocks(
    const std::vector<std::string>& lines,
    const std::vector<std::pair<int, Block>>& blocks, IsMark isMark,
    MayPrecedeBlock mayPrecedeBlock) {
  std::vector<DocumentedExample> examples;
  std::size_t next = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Mark mark;
    if (!isMark(lines[i], mark)) continue;
    while (next < blocks.size() && blocks[next].first < int(i)) ++next;
    std::size_t gap = i + 1;
    while (next < blocks.size() && gap < std::size_t(blocks[next].first) &&
           mayPrecedeBlock(lines[gap])) {
      ++gap;
    }
    if (next == blocks.size() || gap != std::size_t(blocks[next].first)) {
      throw std::runtime_error("line " + std::to_string(i + 1) +
                               ": the mark is not followed by an example block");
    }
    const Block& block = blocks[next].second;
    examples.push_back(
        DocumentedExample{block.line, mark.checked, mark.directory, mark.command, block.lines});
  }
  return examples;
}

std::vector<int> unmarkedCommands(const std::vector<std::pair<int, Block>>& blocks,
                                  const std::vector<DocumentedExample>& marked) {
  std::vector<int> unmarked;
  for (const auto& entry : blocks) {
    const Block& block = entry.second;
    if (block.lines.empty() || !startsWith(block.lines.front(), "$ ")) continue;
    bool found = false;
    for (const DocumentedExample& example : marked) found |= example.line == block.line;
    if (!found) unmarked.push_back(block.line);
  }
  return unmarked;
}

bool isBlank(const std::string& line) { return trimmed(line).empty(); }
bool isRequest(const std::string& line) { return startsWith(line, "."); }

}  // namespace

std::vector<DocumentedExample> markdownExamples(const std::string& text) {
  const std::vector<std::string> lines = splitLines(text);
  return markedBlocks(lines, markdownBlocks(lines), markdownMark, isBlank);
}

std::vector<DocumentedExample> manPageExamples(const std::string& text) {
  const std::vector<std::string> lines = splitLines(text);
  return markedBlocks(lines, manPageBlocks(lines), manPageMark, isRequest);
}

std::vector<int> unmarkedMarkdownCommands(const std::string& text) {
  const std::vector<std::string> lines = splitLines(text);
  return unmarkedCommands(markdownBlocks(lines), markdownExamples(text));
}

std::vector<int> unmarkedManPageCommands(const std::string& text) {
  const std::vector<std::string> lines = splitLines(text);
  return unmarkedCommands(manPageBlocks(lines), manPageExamples(text));
}

std::vector<ShownRun> shownRuns(const DocumentedExample& example) {
  if (!example.command.empty()) return {ShownRun{example.command, example.lines}};
  std::vector<ShownRun> runs;
  for (const std::string& line : example.lines) {
    if (startsWith(line, "$ ")) {
      runs.push_back(ShownRun{line.substr(2), {}});
    } else if (runs.empty()) {
      throw std::runtime_error("line " + std::to_string(example.line) +
                               ": output before the first \"$ \" command");
    } else {
      runs.back().output.push_back(line);
    }
  }
  return runs;
}

std::vector<std::string> terminalLines(const std::string& output) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t column = 0;
  for (const char c : output) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
      column = 0;
    } else if (c == '\r') {
      column = 0;
    } else {
      if (column < line.size()) line[column] = c;
      else line += c;
      ++column;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

bool matchesShown(const std::vector<std::string>& expected,
                  const std::vector<std::string>& actual) {
  // Matches expected[e..] against actual[a..]; "..." lines try every count.
  std::vector<std::vector<int>> memo(expected.size() + 1,
                                     std::vector<int>(actual.size() + 1, -1));
  const auto match = [&](auto& self, std::size_t e, std::size_t a) -> bool {
    if (e == expected.size()) return a == actual.size();
    int& known = memo[e][a];
    if (known >= 0) return known == 1;
    bool result;
    const std::string& want = expected[e];
    if (want == "...") {
      result = self(self, e + 1, a) || (a < actual.size() && self(self, e, a + 1));
    } else if (a == actual.size()) {
      result = false;
    } else if (want.size() > 4 && want.compare(want.size() - 4, 4, " ...") == 0) {
      const std::string prefix = want.substr(0, want.size() - 4);
      result = startsWith(actual[a], prefix) && self(self, e + 1, a + 1);
    } else {
      result = want == actual[a] && self(self, e + 1, a + 1);
    }
    known = result ? 1 : 0;
    return result;
  };
  return match(match, 0, 0);
}

}  // namespace tokshuf::test
