// Reading in pieces of whole lines, and read errors that must never pass
// for the end of the input.

#include "rank/input_pieces.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "rank/input_lines.h"
#include "rank_test_input.h"
#include "support/files.h"

namespace tokshuf::rank {
namespace {

struct Piece {
  std::string text;
  std::size_t offset;
  bool operator==(const Piece&) const = default;
};

std::vector<Piece> piecesOf(const std::string& content, std::size_t pieceSize) {
  std::vector<Piece> pieces;
  readContent(
      content,
      [&](InputPieces& input) {
        for (std::string piece; input.next(piece);) pieces.push_back({piece, input.offset()});
        return Corpus();
      },
      "in.txt", pieceSize);
  return pieces;
}

TEST(InputPiecesTest, PiecesEndAtTheLastLineEndOnceLongEnough) {
  EXPECT_EQ(piecesOf("ab\ncd\nef\ngh", 4),
            (std::vector<Piece>{{"ab\n", 0}, {"cd\n", 3}, {"ef\n", 6}, {"gh", 9}}));
  EXPECT_EQ(piecesOf("ab\ncd\nef\ngh", 9), (std::vector<Piece>{{"ab\ncd\nef\n", 0}, {"gh", 9}}));
  EXPECT_EQ(piecesOf("a\nb\nc\n", 2), (std::vector<Piece>{{"a\n", 0}, {"b\n", 2}, {"c\n", 4}}));
}

TEST(InputPiecesTest, ALineLongerThanAPieceIsOnePiece) {
  const std::string longLine(100, 'x');
  EXPECT_EQ(piecesOf(longLine + "\nshort\n", 8),
            (std::vector<Piece>{{longLine + "\n", 0}, {"short\n", 101}}));
  EXPECT_EQ(piecesOf(longLine, 8), (std::vector<Piece>{{longLine, 0}}));
}

TEST(InputPiecesTest, PiecesJoinToTheInput) {
  std::string content;
  for (int i = 0; i < 500; ++i)
    content += std::string(static_cast<std::size_t>(i % 37), 'w') + "\n";
  for (std::size_t size : {1u, 7u, 64u, 4096u}) {
    std::string joined;
    for (const Piece& piece : piecesOf(content, size)) {
      EXPECT_EQ(piece.offset, joined.size());
      EXPECT_TRUE(piece.text.back() == '\n' || piece.offset + piece.text.size() == content.size());
      joined += piece.text;
    }
    EXPECT_EQ(joined, content) << "piece size " << size;
  }
}

TEST(InputPiecesTest, EmptyInputHasNoPieces) { EXPECT_TRUE(piecesOf("", 16).empty()); }

TEST(InputPiecesTest, ReadErrorsNameTheInput) {
  test::TempDir dir;
  const int directory = open(dir.path().c_str(), O_RDONLY);
  std::string piece;
  InputPieces fromDirectory(directory, "texts");
  try {
    fromDirectory.next(piece);
    FAIL() << "a directory read as text";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "cannot read texts: Is a directory");
  }
  close(directory);
  InputPieces closed(-1, "standard input");
  EXPECT_THROW(closed.next(piece), InputError);
}

TEST(InputLinesTest, LinesWithNumbersOffsetsAndCrlf) {
  std::vector<std::string> seen;
  std::vector<std::size_t> offsets;
  std::string lastPlace;
  readContent(
      "one\r\ntwo\n\nfour",
      [&](InputPieces& pieces) {
        InputLines lines(pieces);
        for (std::string_view line; lines.next(line);) {
          seen.emplace_back(line);
          offsets.push_back(lines.offset());
          EXPECT_EQ(lines.lineNumber(), seen.size());
        }
        lastPlace = lines.at("bad");
        return Corpus();
      },
      "in.txt", 2);
  EXPECT_EQ(seen, (std::vector<std::string>{"one", "two", "", "four"}));
  EXPECT_EQ(offsets, (std::vector<std::size_t>{0, 5, 9, 10}));
  EXPECT_EQ(lastPlace, "in.txt:4: bad");
}

}  // namespace
}  // namespace tokshuf::rank
