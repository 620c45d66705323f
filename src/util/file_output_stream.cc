#include "util/file_output_stream.h"

namespace tokshuf::util {

FileOutputStream::FileOutputStream(std::FILE* file)
    : std::ostream(nullptr), buffer_(file) {
  rdbuf(&buffer_);
}

FileOutputStream::Buffer::int_type FileOutputStream::Buffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
}

std::streamsize FileOutputStream::Buffer::xsputn(const char* bytes,
                                                 std::streamsize count) {
  return static_cast<std::streamsize>(
      std::fwrite(bytes, 1, static_cast<std::size_t>(count), file_));
}

int FileOutputStream::Buffer::sync() { return std::fflush(file_) == 0 ? 0 : -1; }

}  // namespace tokshuf::util
