#pragma once

// Scratch directories and whole-file reading and writing for tests.

#include <string>
#include <vector>

namespace tokshuf::test {

// A fresh directory under $TMPDIR (or /tmp), removed with all its contents
// when the object goes out of scope.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "tokshuf-test");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

// Writes content to path byte for byte, replacing the file; throws on error.
void writeFile(const std::string& path, const std::string& content);
// Reads the whole file; throws when it cannot be read.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);  // lstat succeeds: links count too
// The names in a directory (not "." and ".."), sorted.
std::vector<std::string> listDirectory(const std::string& path);

}  // namespace tokshuf::test
