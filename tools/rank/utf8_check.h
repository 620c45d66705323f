#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tokshuf::rank {

// Byte offset of the first ill-formed UTF-8 sequence in `bytes`, or nothing
// when the whole buffer is well-formed. Overlong forms, surrogates and code
// points above U+10FFFF count as ill-formed, as Unicode requires.
std::optional<std::size_t> findInvalidUtf8(std::string_view bytes);

}  // namespace tokshuf::rank
