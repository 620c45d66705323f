#include "common/measure_selection.h"

#include <string>

#include "common/fatal_error.h"
#include "util/printable.h"

namespace tokshuf {
namespace {

struct MeasureSet {
  const char* name;
  int first;
  int last;
};
constexpr MeasureSet kSets[] = {{"classic", 1, kMeasureColumns},
                                {"diversity", kMeasureColumns + 1, kKnownMeasures},
                                {"all", 1, kKnownMeasures}};

[[noreturn]] void refuse(const std::string& what) {
  throw FatalError(formatString("tokshuf: --measures: %s; choose from %s\n", what.c_str(),
                                MeasureSelection::validNames().c_str()));
}

}  // namespace

MeasureSelection::MeasureSelection() {
  for (int measure = 1; measure <= kMeasureColumns; ++measure) add(measure, "");
}

void MeasureSelection::add(int measure, std::string_view list) {
  if (positions_[measure] != 0) {
    refuse("\"" + std::string(schema::measureLabel(measure)) + "\" is chosen twice in \"" +
           util::printable(list) + "\"");
  }
  measures_.push_back(measure);
  positions_[measure] = count();
}

MeasureSelection MeasureSelection::parse(std::string_view list) {
  MeasureSelection selection;
  selection.measures_.clear();
  selection.positions_.assign(kKnownMeasures + 1, 0);
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string_view name = list.substr(start, comma - start);
    bool isSet = false;
    for (const MeasureSet& set : kSets) {
      if (name != set.name) continue;
      isSet = true;
      for (int measure = set.first; measure <= set.last; ++measure) selection.add(measure, list);
    }
    if (!isSet) {
      const std::optional<int> measure = schema::measureOfLabel(name);
      if (!measure) refuse("unknown measure \"" + util::printable(name, 40) + "\"");
      selection.add(*measure, list);
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return selection;
}

bool MeasureSelection::hasAnyOf(std::initializer_list<int> measures) const {
  for (int measure : measures) {
    if (has(measure)) return true;
  }
  return false;
}

std::vector<const char*> MeasureSelection::labels() const {
  std::vector<const char*> labels{"N"};
  for (int measure : measures_) labels.push_back(schema::measureLabel(measure));
  return labels;
}

std::string MeasureSelection::validNames() {
  std::string names;
  for (const MeasureSet& set : kSets) names += std::string(set.name) + ", ";
  for (int measure = 1; measure <= kKnownMeasures; ++measure) {
    names += schema::measureLabel(measure);
    if (measure < kKnownMeasures) names += ' ';
  }
  return names;
}

}  // namespace tokshuf
