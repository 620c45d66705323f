#include "rank/vertical_reader.h"

#include <algorithm>
#include <string>
#include <vector>

#include "rank/annotated_input.h"
#include "rank/tab_columns.h"

namespace tokshuf::rank {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string decodeEntities(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string decoded;
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [entity, character] : kEntities) {
      if (text.substr(i).starts_with(entity)) {
        decoded += character;
        i += entity.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) decoded += text[i++];
  }
  return decoded;
}

class VerticalParser {
 public:
  VerticalParser(InputPieces& input, const AnnotationOptions& options) : input_(input, options) {}

  Corpus read() {
    std::string_view line;
    while (input_.lines.next(line)) {
      if (line.empty()) continue;
      if (line[0] == '<') {
        readStructure(line);
      } else {
        readToken(line);
      }
    }
    return input_.builder.finish();
  }

 private:
  void readStructure(std::string_view line) {
    if (auto id = documentStartId(line)) {
      input_.builder.startDocument(std::move(*id));
      insideDocument_ = true;
    } else if (line.starts_with("</doc>")) {
      insideDocument_ = false;
      documentEnded_ = true;
    }
  }

  void readToken(std::string_view line) {
    if (!insideDocument_ && documentEnded_)
      input_.fail("a token after </doc>, outside any document");
    splitTabColumns(line, columns_);
    if (columnCount_ == 0) {
      columnCount_ = columns_.size();
      columnCountLine_ = input_.lines.lineNumber();
      const std::size_t needed =
          static_cast<std::size_t>(std::max(input_.options.column, input_.options.tagColumn));
      if (columnCount_ < needed) {
        input_.fail("expected at least " + std::to_string(needed) +
                    " tab-separated columns, found " + std::to_string(columnCount_));
      }
    } else if (columns_.size() != columnCount_) {
      input_.fail("expected " + std::to_string(columnCount_) +
                  " tab-separated columns as on line " + std::to_string(columnCountLine_) +
                  ", found " + std::to_string(columns_.size()));
    }
    if (input_.options.tagColumn > 0 &&
        input_.drop.contains(columns_[input_.options.tagColumn - 1]))
      return;
    const std::string_view word = columns_[input_.options.column - 1];
    if (word.empty()) input_.fail("empty word in column " + std::to_string(input_.options.column));
    input_.builder.addWord(word);
  }

  AnnotatedInput input_;
  std::vector<std::string_view> columns_;
  std::size_t columnCount_ = 0;  // of the first token line, which all must have
  std::size_t columnCountLine_ = 0;
  bool insideDocument_ = false;
  bool documentEnded_ = false;
};

}  // namespace

Corpus readVertical(InputPieces& input, const AnnotationOptions& options) {
  return VerticalParser(input, options).read();
}

std::optional<std::string> documentStartId(std::string_view line) {
  constexpr std::string_view kTag = "<doc";
  if (!line.starts_with(kTag) || line.size() == kTag.size()) return std::nullopt;
  const char after = line[kTag.size()];
  if (!isBlank(after) && after != '>' && after != '/') return std::nullopt;
  // An attribute named exactly "id", after a blank: not "docid".
  for (std::size_t at = line.find("id", kTag.size()); at != std::string_view::npos;
       at = line.find("id", at + 2)) {
    if (!isBlank(line[at - 1])) continue;
    std::size_t i = at + 2;
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i == line.size() || line[i] != '=') continue;
    ++i;
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i == line.size() || (line[i] != '"' && line[i] != '\'')) continue;
    const std::size_t close = line.find(line[i], i + 1);
    if (close == std::string_view::npos) continue;
    return decodeEntities(line.substr(i + 1, close - i - 1));
  }
  return std::string();
}

}  // namespace tokshuf::rank
