#pragma once

#include <string_view>

namespace tokshuf::rank {

// text without leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

}  // namespace tokshuf::rank
