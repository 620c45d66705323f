#include "driver/runs_writer.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tokshuf {
namespace {

// printf's spelling of the values that to_chars spells otherwise; the
// profile files, R and pandas all read these.
char* appendValue(char* at, char* end, double value) {
  if (std::isnan(value)) {
    const char* text = std::signbit(value) ? " -nan" : " nan";
    for (; *text != '\0'; ++text) *at++ = *text;
    return at;
  }
  *at++ = ' ';
  return std::to_chars(at, end, value).ptr;
}

char* appendInt(char* at, char* end, int value) { return std::to_chars(at, end, value).ptr; }

}  // namespace

void writeRuns(std::FILE* out, const RunArrays& runs, const Settings& settings,
               const Chunks& chunkEnds) {
  const MeasureSelection& chosen = settings.measures;
  std::string header = "run";
  for (const char* label : chosen.labels()) header += std::string(" ") + label;
  header += '\n';
  std::fputs(header.c_str(), out);
  // A row holds two integers and the values, each at most 25 characters.
  std::string row(std::size_t(chosen.count() + 2) * 26 + 2, '\0');
  char* const begin = row.data();
  char* const end = begin + row.size();
  for (int run = 0; run <= settings.nperm; ++run) {
    for (int j = 1; j <= settings.nchunks; ++j) {
      char* at = appendInt(begin, end, run);
      *at++ = ' ';
      at = appendInt(at, end, chunkEnds[j]);
      for (int position = 1; position <= chosen.count(); ++position) {
        at = appendValue(at, end, runs[chosen.measureAt(position)][run][j]);
      }
      *at++ = '\n';
      std::fwrite(begin, 1, std::size_t(at - begin), out);
    }
  }
}

}  // namespace tokshuf
