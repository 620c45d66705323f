#include "rank/document_files.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tokshuf::rank {
namespace {

TEST(DocumentFilesTest, SafeNamesKeepWordsAndEscapeTheRest) {
  EXPECT_EQ(safeFileName("GUM_bio_emperor-1.v2"), "GUM_bio_emperor-1.v2");
  EXPECT_EQ(safeFileName("λόγος"), "λόγος");
  EXPECT_EQ(safeFileName("../../etc/passwd"), "%2E.%2F..%2Fetc%2Fpasswd");
  EXPECT_EQ(safeFileName("a b%c"), "a%20b%25c");
  EXPECT_EQ(safeFileName(".hidden"), "%2Ehidden");
  EXPECT_EQ(safeFileName("new\nline\x1B"), "new%0Aline%1B");
  // U+202E RIGHT-TO-LEFT OVERRIDE would turn the name around on a terminal.
  EXPECT_EQ(safeFileName("a\u202Eb"), "a%E2%80%AEb");
  EXPECT_EQ(safeFileName(std::string(300, 'x')).size(), 200u);
  // Cut before a two-byte letter that would straddle the limit.
  EXPECT_EQ(safeFileName(std::string(199, 'x') + "é").size(), 199u);
}

Document document(const std::string& id) { return Document{id, TokenIds()}; }

TEST(DocumentFilesTest, DocumentsWithoutIdAreNumberedInOrder) {
  std::vector<Document> documents;
  documents.push_back(document("intro"));
  documents.push_back(document(""));
  documents.push_back(document("a/b"));
  EXPECT_EQ(documentFiles(documents, "out", "c.conllu"),
            (std::vector<std::string>{"out/intro.zvc", "out/2.zvc", "out/a%2Fb.zvc"}));
}

TEST(DocumentFilesTest, TwoDocumentsOfOneNameAreAnError) {
  std::vector<Document> documents;
  documents.push_back(document("x"));
  documents.push_back(document("y"));
  documents.push_back(document("x"));
  try {
    documentFiles(documents, "out", "c.conllu");
    FAIL() << "duplicate names accepted";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(),
                 "c.conllu: documents 1 and 3 would both be written to x.zvc (ids \"x\" and "
                 "\"x\")");
  }
  // A number given as an id meets the number of an unnamed document.
  std::vector<Document> numbered;
  numbered.push_back(document("2"));
  numbered.push_back(document(""));
  EXPECT_THROW(documentFiles(numbered, "out", "c.conllu"), std::runtime_error);
}

}  // namespace
}  // namespace tokshuf::rank
