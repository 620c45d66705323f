#pragma once

#include <cstdio>
#include <ostream>
#include <streambuf>

namespace tokshuf::util {

// A std::ostream over a stdio stream, so that code which formats into an
// ostream can fill a temporary file of an OutputSet. stdio does the
// buffering; a failed write sets the ostream's badbit and the FILE's error
// indicator, which OutputSet::commit() checks.
class FileOutputStream : public std::ostream {
 public:
  explicit FileOutputStream(std::FILE* file);

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(std::FILE* file) : file_(file) {}

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

   private:
    std::FILE* file_;
  };
  Buffer buffer_;
};

}  // namespace tokshuf::util
