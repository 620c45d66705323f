// Writes a synthetic Zipfian ranked-token file to standard output.
//   make_zipfian_text [--tokens=N] [--types=T] [--exponent=S] [--seed=K]
// The same arguments always give the same file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/zipfian_text.h"

namespace {

bool readOption(const char* arg, const char* name, std::string* value) {
  const std::size_t length = std::strlen(name);
  if (std::strncmp(arg, name, length) != 0 || arg[length] != '=') return false;
  *value = arg + length + 1;
  return true;
}

bool parseArguments(int argc, char** argv,
                    tokshuf::test::ZipfianTextShape& shape) {
  for (int i = 1; i < argc; ++i) {
    std::string value;
    if (readOption(argv[i], "--tokens", &value)) {
      shape.tokens = std::atoi(value.c_str());
    } else if (readOption(argv[i], "--types", &value)) {
      shape.types = std::atoi(value.c_str());
    } else if (readOption(argv[i], "--exponent", &value)) {
      shape.exponent = std::atof(value.c_str());
    } else if (readOption(argv[i], "--seed", &value)) {
      shape.seed = std::strtoull(value.c_str(), nullptr, 10);
    } else {
      return false;
    }
  }
  return shape.tokens >= 1 && shape.types >= 1;
}

}  // namespace

int main(int argc, char** argv) {
  tokshuf::test::ZipfianTextShape shape;
  if (!parseArguments(argc, argv, shape)) {
    std::fputs(
        "usage: make_zipfian_text [--tokens=N] [--types=T] [--exponent=S] "
        "[--seed=K]\n",
        stderr);
    return 2;
  }
  const std::string file =
      tokshuf::test::zvcText(tokshuf::test::zipfianRanks(shape));
  return std::fwrite(file.data(), 1, file.size(), stdout) == file.size() ? 0 : 1;
}
