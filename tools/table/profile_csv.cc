#include "table/profile_csv.h"

#include <array>
#include <optional>

#include "table/band_position.h"
#include "table/csv_field.h"

namespace tokshuf::table {
namespace {

using plot::kColumnLabels;
using plot::kMeasureCount;
using plot::ProfileRow;
using plot::ProfileRun;
using plot::ProfileTable;

// The cell of a Monte Carlo file for chunk `chunk` and measure `measure`,
// empty when the run has no such file.
std::string companionCell(const std::optional<ProfileTable>& table, std::size_t chunk,
                          int measure) {
  if (!table) return "";
  const ProfileRow& row = table->rows[chunk];
  return csvNumber(row.values[measure], row.texts[measure]);
}

std::optional<BandPosition> positionOf(const ProfileRun& run, std::size_t chunk, int measure) {
  if (!run.lower || !run.upper) return std::nullopt;
  return bandPosition(run.observed.rows[chunk].values[measure],
                      run.lower->rows[chunk].values[measure],
                      run.upper->rows[chunk].values[measure]);
}

}  // namespace

std::string textName(const std::string& observedPath) {
  return plot::companionPath(observedPath, "").value_or(observedPath);
}

long long writeLongTable(std::ostream& out, const std::vector<ProfileRun>& runs) {
  out << "text,chunk,N,measure,obs,mean,lower,upper,position\n";
  long long written = 0;
  for (const ProfileRun& run : runs) {
    const std::string text = csvField(textName(run.observed.path));
    for (std::size_t chunk = 0; chunk < run.observed.rows.size(); ++chunk) {
      const ProfileRow& row = run.observed.rows[chunk];
      for (int measure = 0; measure < kMeasureCount; ++measure) {
        const std::optional<BandPosition> position = positionOf(run, chunk, measure);
        out << text << ',' << chunk + 1 << ',' << row.tokens << ',' << kColumnLabels[measure + 1]
            << ',' << csvNumber(row.values[measure], row.texts[measure]) << ','
            << companionCell(run.mean, chunk, measure) << ','
            << companionCell(run.lower, chunk, measure) << ','
            << companionCell(run.upper, chunk, measure) << ','
            << (position ? bandPositionName(*position) : "") << '\n';
        ++written;
      }
    }
  }
  return written;
}

long long writeSummaryTable(std::ostream& out, const std::vector<ProfileRun>& runs) {
  out << "text,measure,chunks,below,inside,above\n";
  long long written = 0;
  for (const ProfileRun& run : runs) {
    const std::string text = csvField(textName(run.observed.path));
    for (int measure = 0; measure < kMeasureCount; ++measure) {
      std::array<int, 3> counts{};  // indexed by BandPosition
      for (std::size_t chunk = 0; chunk < run.observed.rows.size(); ++chunk) {
        if (const auto position = positionOf(run, chunk, measure)) {
          ++counts[static_cast<int>(*position)];
        }
      }
      out << text << ',' << kColumnLabels[measure + 1] << ',' << run.observed.rows.size() << ','
          << counts[0] << ',' << counts[1] << ',' << counts[2] << '\n';
      ++written;
    }
  }
  return written;
}

}  // namespace tokshuf::table
