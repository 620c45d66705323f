#pragma once

#include <string>
#include <string_view>

namespace tokshuf::plot {

// Text made safe for XML character data and attribute values: file names
// may hold "&", "<" or quotes.
std::string xmlEscape(std::string_view text);

}  // namespace tokshuf::plot
