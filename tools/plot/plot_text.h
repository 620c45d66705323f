#pragma once

#include <string>
#include <vector>

#include "plot/profile_run.h"

namespace tokshuf::plot {

// One input of a picture: a run and the name it goes by in legends.
struct PlotText {
  std::string name;
  ProfileRun run;
};

// The names for the inputs, in order: each file's name without its
// directory and ".obs", or the whole path without ".obs" when two files
// share a name.
std::vector<std::string> textNames(const std::vector<std::string>& paths);

// "ruth (20 chunks, 2592 tokens)"
std::string textSummary(const PlotText& text);

// One measure (1 to 38) of a profile file, chunk by chunk; nan in every
// chunk when the file has no such column.
std::vector<double> measureColumn(const ProfileTable& table, int measure);

// "3 chunks, 300 tokens"
std::string chunkSummary(const ProfileRun& run);

}  // namespace tokshuf::plot
