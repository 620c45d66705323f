#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "plot/profile_run.h"

namespace tokshuf::table {

// The name of a text in the table: its .obs path as given, without ".obs".
std::string textName(const std::string& observedPath);

// One row per text, chunk and measure column of the text's files:
// text,chunk,N,measure,obs,mean,lower,upper,position
// mean, lower and upper are empty without the Monte Carlo file they come
// from; position is empty without both bounds or where a value is not
// finite. When any run has a global test beside it (.mgl, .mgh or .mgt),
// every row also has global_lower,global_upper,global_position, from its
// .mgl and .mgh in the same way. Returns the number of rows written below
// the header.
long long writeLongTable(std::ostream& out, const std::vector<plot::ProfileRun>& runs);

// One row per text and measure: text,measure,chunks,below,inside,above,
// counting the chunks in each position (chunks without a position are in
// none of the three), and, when any run has a global test beside it, p:
// the measure's p from its .mgt, empty without one. Returns the number of
// rows written below the header.
long long writeSummaryTable(std::ostream& out, const std::vector<plot::ProfileRun>& runs);

}  // namespace tokshuf::table
