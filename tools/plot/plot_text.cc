#include "plot/plot_text.h"

#include <cmath>
#include <filesystem>
#include <set>

namespace tokshuf::plot {
namespace {

std::string withoutObs(const std::string& path) {
  const std::string suffix = ".obs";
  if (path.size() > suffix.size() && path.ends_with(suffix)) {
    return path.substr(0, path.size() - suffix.size());
  }
  return path;
}

}  // namespace

std::vector<std::string> textNames(const std::vector<std::string>& paths) {
  std::vector<std::string> names;
  for (const std::string& path : paths) {
    names.push_back(withoutObs(std::filesystem::path(path).filename().string()));
  }
  if (std::set<std::string>(names.begin(), names.end()).size() != names.size()) {
    names.clear();
    for (const std::string& path : paths) names.push_back(withoutObs(path));
  }
  return names;
}

std::vector<double> measureColumn(const ProfileTable& table, int measure) {
  // A column the file lacks is as unknown as a nan in it.
  const bool present = table.has(measure);
  std::vector<double> values;
  for (const ProfileRow& row : table.rows) {
    values.push_back(present ? row.values[measure - 1] : std::nan(""));
  }
  return values;
}

std::string chunkSummary(const ProfileRun& run) {
  const std::size_t chunks = run.observed.rows.size();
  const long long tokens = run.observed.rows.empty() ? 0 : run.observed.rows.back().tokens;
  return std::to_string(chunks) + (chunks == 1 ? " chunk, " : " chunks, ") +
         std::to_string(tokens) + " tokens";
}

std::string textSummary(const PlotText& text) {
  return text.name + " (" + chunkSummary(text.run) + ")";
}

}  // namespace tokshuf::plot
