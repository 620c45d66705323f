#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tokshuf::util {

// bytes as they may appear inside a one-line message on a terminal:
// control characters (C0, DEL and C1), and bytes that are not part of valid
// UTF-8, each become '?'. At most maxBytes of input are shown, then "...".
std::string printable(std::string_view bytes, std::size_t maxBytes = 200);

}  // namespace tokshuf::util
