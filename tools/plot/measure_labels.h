#pragma once

namespace tokshuf::plot {

// What a measure column is, in a few words, for the panel captions.
// `column` is 1 to 24, as in the profile files.
const char* measureDescription(int column);

}  // namespace tokshuf::plot
