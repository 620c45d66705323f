#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tokshuf::plot {

// What a measure column is, in a few words, for the panel captions.
// `column` is 1 to 24, as in the profile files.
const char* measureDescription(int column);

// The measure column (1 to 24) with this header label, e.g. "K" -> 1.
std::optional<int> columnOfLabel(std::string_view label);

// "K D V V1 ... sLstdev": the labels columnOfLabel accepts.
std::string measureLabelList();

}  // namespace tokshuf::plot
