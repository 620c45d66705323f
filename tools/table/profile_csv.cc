#include "table/profile_csv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "table/band_position.h"
#include "table/csv_field.h"

namespace tokshuf::table {
namespace {

using plot::ProfileRow;
using plot::ProfileRun;
using plot::ProfileTable;

// Measures are numbered from 1; a row keeps measure m at index m - 1.
std::string cell(const ProfileRow& row, int measure) {
  return csvNumber(row.values[measure - 1], row.texts[measure - 1]);
}

// The cell of a Monte Carlo file for chunk `chunk` and measure `measure`,
// empty when the run has no such file.
std::string companionCell(const std::optional<ProfileTable>& table, std::size_t chunk,
                          int measure) {
  return table ? cell(table->rows[chunk], measure) : "";
}

std::optional<BandPosition> positionIn(const ProfileRun& run,
                                       const std::optional<ProfileTable>& lower,
                                       const std::optional<ProfileTable>& upper,
                                       std::size_t chunk, int measure) {
  if (!lower || !upper) return std::nullopt;
  return bandPosition(run.observed.rows[chunk].values[measure - 1],
                      lower->rows[chunk].values[measure - 1],
                      upper->rows[chunk].values[measure - 1]);
}

std::optional<BandPosition> positionOf(const ProfileRun& run, std::size_t chunk, int measure) {
  return positionIn(run, run.lower, run.upper, chunk, measure);
}

const char* positionName(const std::optional<BandPosition>& position) {
  return position ? bandPositionName(*position) : "";
}

// The global columns exist only where some input has a global test, so
// that the tables of runs without one read as before.
bool anyGlobalTest(const std::vector<ProfileRun>& runs) {
  return std::any_of(runs.begin(), runs.end(),
                     [](const ProfileRun& run) { return run.hasGlobalTest(); });
}

std::string globalCells(const ProfileRun& run, std::size_t chunk, int measure) {
  return ',' + companionCell(run.globalLower, chunk, measure) + ',' +
         companionCell(run.globalUpper, chunk, measure) + ',' +
         positionName(positionIn(run, run.globalLower, run.globalUpper, chunk, measure));
}

// The measure's p from TEXT.mgt, as written ("NaN" where no chunk was
// left to test); empty without the file.
std::string pCell(const ProfileRun& run, int measure) {
  if (!run.globalTest) return "";
  const plot::GlobalTestRow* row = run.globalTest->find(measure);
  return row ? csvNumber(row->p, row->pText) : "";
}

}  // namespace

std::string textName(const std::string& observedPath) {
  return plot::companionPath(observedPath, "").value_or(observedPath);
}

long long writeLongTable(std::ostream& out, const std::vector<ProfileRun>& runs) {
  const bool global = anyGlobalTest(runs);
  out << "text,chunk,N,measure,obs,mean,lower,upper,position"
      << (global ? ",global_lower,global_upper,global_position" : "") << '\n';
  long long written = 0;
  for (const ProfileRun& run : runs) {
    const std::string text = csvField(textName(run.observed.path));
    for (std::size_t chunk = 0; chunk < run.observed.rows.size(); ++chunk) {
      const ProfileRow& row = run.observed.rows[chunk];
      for (int measure : run.observed.measures) {
        out << text << ',' << chunk + 1 << ',' << row.tokens << ','
            << schema::measureLabel(measure) << ',' << cell(row, measure) << ','
            << companionCell(run.mean, chunk, measure) << ','
            << companionCell(run.lower, chunk, measure) << ','
            << companionCell(run.upper, chunk, measure) << ','
            << positionName(positionOf(run, chunk, measure))
            << (global ? globalCells(run, chunk, measure) : "") << '\n';
        ++written;
      }
    }
  }
  return written;
}

long long writeSummaryTable(std::ostream& out, const std::vector<ProfileRun>& runs) {
  const bool global = anyGlobalTest(runs);
  out << "text,measure,chunks,below,inside,above" << (global ? ",p" : "") << '\n';
  long long written = 0;
  for (const ProfileRun& run : runs) {
    const std::string text = csvField(textName(run.observed.path));
    for (int measure : run.observed.measures) {
      std::array<int, 3> counts{};  // indexed by BandPosition
      for (std::size_t chunk = 0; chunk < run.observed.rows.size(); ++chunk) {
        if (const auto position = positionOf(run, chunk, measure)) {
          ++counts[static_cast<int>(*position)];
        }
      }
      out << text << ',' << schema::measureLabel(measure) << ',' << run.observed.rows.size()
          << ',' << counts[0] << ',' << counts[1] << ',' << counts[2]
          << (global ? ',' + pCell(run, measure) : "") << '\n';
      ++written;
    }
  }
  return written;
}

}  // namespace tokshuf::table
