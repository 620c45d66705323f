#include "driver/global_test_writer.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "common/fatal_error.h"

namespace tokshuf {
namespace {

// p = k / curves, written with as many decimals as curves has digits, so
// that p-values 1 / curves apart are always told apart.
std::string formatP(double p, int curves) {
  if (std::isnan(p)) return "nan";
  const int decimals = int(std::to_string(curves).size());
  return formatString("%.*f", decimals, p);
}

// Chunks as "1-3,7"; "none" for no chunk.
std::string chunkList(const std::vector<int>& chunks) {
  if (chunks.empty()) return "none";
  std::string list;
  for (std::size_t i = 0; i < chunks.size();) {
    std::size_t end = i;
    while (end + 1 < chunks.size() && chunks[end + 1] == chunks[end] + 1) ++end;
    if (!list.empty()) list += ',';
    list += std::to_string(chunks[i]);
    if (end > i) list += '-' + std::to_string(chunks[end]);
    i = end + 1;
  }
  return list;
}

std::vector<int> leftOutChunks(const GlobalEnvelope& envelope) {
  std::vector<int> chunks;
  for (std::size_t j = 1; j < envelope.leftOut.size(); ++j) {
    if (envelope.leftOut[j]) chunks.push_back(int(j));
  }
  return chunks;
}

// alpha = (100 - C) / 100 as a short decimal: 0.05, 0.1, 1.
std::string alphaText(int confidenceLevel) {
  std::string text = formatString("%.2f", (100 - confidenceLevel) / 100.0);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

ProfileTable globalBounds(const GlobalTests& tests, bool upper) {
  const int columns = int(tests.measures.size()) - 1;
  ProfileTable table(columns);
  for (int position = 1; position <= columns; ++position) {
    const std::vector<double>& bound =
        upper ? tests.measures[position].upper : tests.measures[position].lower;
    for (std::size_t j = 1; j < bound.size(); ++j) table[int(j)][position] = bound[j];
  }
  return table;
}

void writeGlobalTestTable(std::FILE* out, const GlobalTests& tests, const Settings& settings) {
  const int curves = settings.nperm + 1;
  std::fputs("measure p below above left_out\n", out);
  for (int position = 1; position <= settings.measures.count(); ++position) {
    const GlobalEnvelope& envelope = tests.measures[position];
    std::fprintf(out, "%s %s %s %s %s\n",
                 schema::measureLabel(settings.measures.measureAt(position)),
                 formatP(envelope.p, curves).c_str(), chunkList(envelope.below).c_str(),
                 chunkList(envelope.above).c_str(), chunkList(leftOutChunks(envelope)).c_str());
  }
  std::fprintf(out, "all %s - - -\n", formatP(tests.combinedP, curves).c_str());
}

std::string globalTestSummary(const GlobalTests& tests, const Settings& settings) {
  return formatString("Global envelope test: %d of %d measures at p < %s; combined p = %s\n",
                      tests.significantCount(settings.confidenceLevel, settings.nperm + 1),
                      tests.testedCount(),
                      alphaText(settings.confidenceLevel).c_str(),
                      formatP(tests.combinedP, settings.nperm + 1).c_str());
}

std::string runCountWarning(const Settings& settings) {
  const int curves = settings.nperm + 1;
  const int level = settings.confidenceLevel;
  if (runCountFitsLevel(curves, level)) return "";
  if (level == 100) {
    return "tokshuf: warning: at 100 % the global envelope holds every curve; choose a lower "
           "level with -c for a test\n";
  }
  // alpha * curves is whole when curves is a multiple of this.
  const int step = 100 / std::gcd(100, 100 - level);
  std::string counts;
  const std::vector<int> fitting = fittingPermutationCounts(settings.nperm, level);
  for (std::size_t i = 0; i < fitting.size(); ++i) {
    counts += (i == 0 ? "" : i + 1 == fitting.size() ? " or " : ", ") +
              ("-p" + std::to_string(fitting[i]));
  }
  // A multiple of step also holds at least 1 / alpha curves.
  return formatString(
      "tokshuf: warning: the global envelope test at %d %% is exact when the runs and the "
      "text make a multiple of %d curves; -p%d makes %d: %s would fit\n",
      level, step, settings.nperm, curves, counts.empty() ? "no run count" : counts.c_str());
}

}  // namespace tokshuf
