#include "rank/conllu_reader.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rank/annotated_input.h"
#include "rank/tab_columns.h"
#include "rank/text_fields.h"
#include "util/printable.h"

namespace tokshuf::rank {
namespace {

constexpr std::size_t kColumns = 10;
enum Column { kId = 0, kForm = 1, kLemma = 2, kUpos = 3 };

// The three kinds of line a sentence has, told apart by the ID column:
// a word (7), a multiword token spanning words (7-8), an empty node (7.1).
struct ConlluId {
  enum class Kind { kWord, kRange, kEmptyNode } kind;
  long first;
  long second;  // the range's last word or the empty node's index
};

std::optional<long> parseIndex(std::string_view digits) {
  long value = 0;
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::optional<ConlluId> parseId(std::string_view text) {
  for (const auto& [separator, kind] :
       {std::pair{'-', ConlluId::Kind::kRange}, std::pair{'.', ConlluId::Kind::kEmptyNode}}) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) continue;
    const auto first = parseIndex(text.substr(0, at));
    const auto second = parseIndex(text.substr(at + 1));
    if (!first || !second) return std::nullopt;
    return ConlluId{kind, *first, *second};
  }
  const auto word = parseIndex(text);
  if (!word) return std::nullopt;
  return ConlluId{ConlluId::Kind::kWord, *word, 0};
}

// "# newdoc id = GUM_bio_1" -> "GUM_bio_1", "# newdoc" -> "", other
// comments -> nothing.
std::optional<std::string> newDocumentId(std::string_view comment) {
  std::string_view rest = trimBlanks(comment.substr(1));
  constexpr std::string_view kKeyword = "newdoc";
  if (!rest.starts_with(kKeyword)) return std::nullopt;
  rest.remove_prefix(kKeyword.size());
  if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') return std::nullopt;
  rest = trimBlanks(rest);
  if (!rest.starts_with("id")) return std::string();
  rest = trimBlanks(rest.substr(2));
  if (!rest.starts_with('=')) return std::string();
  return std::string(trimBlanks(rest.substr(1)));
}

class ConlluParser {
 public:
  ConlluParser(InputPieces& input, const AnnotationOptions& options) : input_(input, options) {}

  Corpus read() {
    std::string_view line;
    while (input_.lines.next(line)) {
      if (line.empty()) {
        endSentence();
      } else if (line[0] == '#') {
        if (auto id = newDocumentId(line)) input_.builder.startDocument(std::move(*id));
      } else {
        readTokenLine(line);
      }
    }
    endSentence();
    return input_.builder.finish();
  }

 private:
  void readTokenLine(std::string_view line) {
    splitTabColumns(line, columns_);
    if (columns_.size() != kColumns) {
      input_.fail("expected " + std::to_string(kColumns) + " tab-separated columns, found " +
                  std::to_string(columns_.size()));
    }
    const auto id = parseId(columns_[kId]);
    if (!id) {
      input_.fail("ID \"" + util::printable(columns_[kId]) +
                  "\" is not a word number, a range or an empty node");
    }
    switch (id->kind) {
      case ConlluId::Kind::kWord:
        if (id->first != nextWord_) outOfSequence("the next word is " + std::to_string(nextWord_));
        ++nextWord_;
        readWord();
        break;
      case ConlluId::Kind::kRange:
        if (id->first != nextWord_ || id->second <= id->first || rangeEnd_ >= nextWord_) {
          outOfSequence("the next word is " + std::to_string(nextWord_));
        }
        rangeEnd_ = id->second;
        rangeLine_ = input_.lines.lineNumber();
        break;
      case ConlluId::Kind::kEmptyNode:
        if (id->first != nextWord_ - 1 || id->second < 1) {
          outOfSequence("the last word is " + std::to_string(nextWord_ - 1));
        }
        break;
    }
  }

  void outOfSequence(const std::string& why) const {
    input_.fail("ID " + util::printable(columns_[kId]) + " out of sequence: " + why);
  }

  void readWord() {
    const std::string_view tag = columns_[kUpos];
    if (input_.drop.contains(tag)) return;
    const std::string_view form = columns_[kForm];
    if (form.empty()) input_.fail("empty FORM column");
    if (input_.options.field == ConlluField::kForm) {
      input_.builder.addWord(form);
      return;
    }
    const std::string_view lemma = columns_[kLemma];
    if (lemma.empty()) input_.fail("empty LEMMA column");
    // "_" is the lemma of an underscore, and otherwise no lemma at all.
    if (lemma == "_" && form != "_") {
      if (!input_.options.lemmaFallback) {
        input_.fail("lemma \"_\" (not annotated) for \"" + util::printable(form) +
                    "\"; --lemma-fallback counts the word form instead");
      }
      input_.builder.countLemmaFallback();
      input_.builder.addWord(form);
      return;
    }
    input_.builder.addWord(lemma);
  }

  void endSentence() {
    if (rangeEnd_ >= nextWord_) {
      input_.fail("the multiword token on line " + std::to_string(rangeLine_) + " ends at word " +
                  std::to_string(rangeEnd_) + ", after the last word of its sentence (" +
                  std::to_string(nextWord_ - 1) + ")");
    }
    nextWord_ = 1;
    rangeEnd_ = 0;
  }

  AnnotatedInput input_;
  std::vector<std::string_view> columns_;
  long nextWord_ = 1;  // the ID the next word line must have
  long rangeEnd_ = 0;  // the last word of the latest multiword token
  std::size_t rangeLine_ = 0;
};

}  // namespace

Corpus readConllu(InputPieces& input, const AnnotationOptions& options) {
  return ConlluParser(input, options).read();
}

}  // namespace tokshuf::rank
