#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tokshuf::plot {

// What a measure is, in a few words, for the panel captions. `measure` is
// 1 to 38 in the schema's numbering (1 to 24 are also the columns of a
// default run); 0 is N.
const char* measureDescription(int measure);

// The description for a caption beside the label: empty where it would
// only repeat the label (MTLD is known by its initials).
std::string captionDescription(int measure);

// The measure with this header label, e.g. "K" -> 1, "MTLD" -> 37.
std::optional<int> columnOfLabel(std::string_view label);

// "K D V V1 ... sLstdev": the columns of a default run, which a message
// about an unknown label lists as it always has; columnOfLabel also
// accepts the diversity labels TTR ... MTLDMA.
std::string measureLabelList();

}  // namespace tokshuf::plot
