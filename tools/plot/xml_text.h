#pragma once

#include <string>
#include <string_view>

namespace tokshuf::plot {

// Text made safe for XML character data and attribute values: file names
// may hold "&", "<" or quotes, and any bytes at all. The result is valid
// UTF-8 with only characters XML 1.0 allows: a byte that is not part of
// valid UTF-8 becomes U+FFFD, a control character (other than tab and line
// feed) or a non-character becomes '?'.
std::string xmlEscape(std::string_view text);

}  // namespace tokshuf::plot
