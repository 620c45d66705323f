#include "rank_test_input.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

#include "support/files.h"

namespace tokshuf::rank {

Corpus readContent(const std::string& content, const Reader& reader, const std::string& name,
                   std::size_t pieceSize) {
  test::TempDir dir;
  test::writeFile(dir.file("input"), content);
  const int fd = open(dir.file("input").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("cannot open the test input");
  InputPieces input(fd, name, pieceSize);
  try {
    Corpus corpus = reader(input);
    close(fd);
    return corpus;
  } catch (...) {
    close(fd);
    throw;
  }
}

std::vector<std::string> wordsOf(const Document& document) {
  std::vector<std::string> words;
  for (int id : document.tokens.tokens()) words.push_back(document.tokens.word(id));
  return words;
}

std::string readError(const std::string& content, const Reader& reader, const std::string& name) {
  try {
    readContent(content, reader, name);
  } catch (const InputError& error) {
    return error.what();
  }
  return "";
}

}  // namespace tokshuf::rank
