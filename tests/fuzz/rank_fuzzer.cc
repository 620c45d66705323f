// Arbitrary bytes through tokshuf-rank: a plain text, a CoNLL-U or a
// vertical file in, ranked-token files out, read back by tokshuf's own
// reader. Every input is either refused with one message line naming the
// input, or gives files whose ranks tokshuf reads back exactly. A plain
// text read in pieces must also give the words of the whole text
// segmented at once.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/fatal_error.h"
#include "driver/token_reader.h"
#include "rank/conllu_reader.h"
#include "rank/document_files.h"
#include "rank/input_pieces.h"
#include "rank/rank_options.h"
#include "rank/rank_table.h"
#include "rank/read_corpus.h"
#include "rank/tag_set.h"
#include "rank/text_limits.h"
#include "rank/utf8_check.h"
#include "rank/zvc_writer.h"

namespace {

using namespace tokshuf::rank;

void check(bool condition) {
  if (!condition) std::abort();
}

// The first two bytes choose the options, the rest is the input.
RankOptions optionsFrom(std::uint8_t flags) {
  RankOptions options;
  const int format = (flags >> 2) & 3;
  options.format = format == 1   ? InputFormat::kConllu
                   : format == 2 ? InputFormat::kVertical
                                 : InputFormat::kText;
  options.segmenter.keepNumbers = flags & 1;
  options.segmenter.keepCase = options.annotation.keepCase = flags & 2;
  options.annotation.field = flags & 16 ? ConlluField::kLemma : ConlluField::kForm;
  options.annotation.lemmaFallback = flags & 32;
  options.annotation.splitDocuments = flags & 64;
  options.keepFittingPrefix = flags & 128;
  if (options.format == InputFormat::kConllu) {
    options.annotation.drop = splitTagList(kDefaultConlluDrop);
  } else if (options.format == InputFormat::kVertical) {
    options.annotation.column = 1 + (flags & 1);
    options.annotation.tagColumn = 2;
    options.annotation.drop = {"PUN"};
  }
  return options;
}

void checkOneLine(const std::string& message) {
  check(!message.empty() && message.find('\n') == std::string::npos);
  check(message.rfind("fuzz", 0) == 0);
}

// The ranked-token file as tokshuf reads it: the same ranks, in order.
void checkReadBack(const RankedText& ranked) {
  std::ostringstream zvc;
  writeZvc(zvc, ranked);
  std::string bytes = zvc.str();
  std::FILE* file = fmemopen(bytes.data(), bytes.size(), "r");
  check(file != nullptr);
  try {
    const tokshuf::Text text = tokshuf::readRankedTokens(file, "fuzz.zvc", true);
    check(text.N == static_cast<int>(ranked.tokenRanks.size()));
    for (int i = 0; i < text.N; ++i) check(text.ranks[i + 1] == ranked.tokenRanks[i]);
  } catch (const tokshuf::FatalError&) {
    std::abort();
  }
  std::fclose(file);
}

// Ranks are frequency ranks, every word is one non-empty field.
void checkRanking(const RankedText& ranked) {
  std::vector<std::size_t> frequency(ranked.typeByRank.size() + 1, 0);
  for (int rank : ranked.tokenRanks) {
    check(rank >= 1 && static_cast<std::size_t>(rank) <= ranked.typeByRank.size());
    ++frequency[rank];
  }
  for (std::size_t rank = 2; rank < frequency.size(); ++rank) {
    check(frequency[rank] <= frequency[rank - 1]);
  }
  for (const std::string& word : ranked.typeByRank) {
    check(!word.empty() && word.find_first_of(" \t\n\v\f\r") == std::string::npos);
  }
}

void checkSameAsWholeText(const std::string& text, const RankOptions& options,
                          const RankedText& inPieces) {
  if (options.format != InputFormat::kText) return;
  const RankedText whole = rankWords(WordSegmenter(options.segmenter).words(text));
  check(whole.typeByRank == inPieces.typeByRank);
  check(whole.tokenRanks == inPieces.tokenRanks);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const RankOptions options = optionsFrom(data[0]);
  const std::size_t pieceSize = 1 + data[1] % 64;
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

  const int fd = memfd_create("fuzz", MFD_CLOEXEC);
  check(fd >= 0);
  check(write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()));
  check(lseek(fd, 0, SEEK_SET) == 0);
  Corpus corpus;
  try {
    InputPieces input(fd, "fuzz", pieceSize);
    corpus = readCorpus(input, options);
  } catch (const InputError& error) {
    checkOneLine(error.what());
    // The text reader refuses only invalid UTF-8.
    check(options.format != InputFormat::kText || findInvalidUtf8(text).has_value());
    close(fd);
    return 0;
  }
  close(fd);
  check(!corpus.documents.empty());
  if (options.annotation.splitDocuments) {
    try {
      for (const std::string& file : documentFiles(corpus.documents, "d", "fuzz")) {
        check(file.rfind("d/", 0) == 0 && file.find('/', 2) == std::string::npos);
        check(file[2] != '.');
      }
    } catch (const std::runtime_error& error) {
      checkOneLine(error.what());
    }
  }
  for (Document& document : corpus.documents) {
    TokenIds& tokens = document.tokens;
    if (options.keepFittingPrefix) {
      tokens.truncate(longestFittingPrefix(tokens.tokens(), kMaxTokens, kMaxTypes));
    }
    const bool fits = fitsTokshuf({tokens.tokens().size(), tokens.typeCount()});
    const RankedText ranked = rankTokens(std::move(tokens));
    checkRanking(ranked);
    if (corpus.documents.size() == 1 && !options.keepFittingPrefix) {
      checkSameAsWholeText(text, options, ranked);
    }
    if (fits) checkReadBack(ranked);
  }
  return 0;
}
