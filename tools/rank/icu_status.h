#pragma once

#include <unicode/unistr.h>
#include <unicode/utypes.h>

namespace tokshuf::rank {

// Throws for a failed ICU call: std::bad_alloc when ICU ran out of memory,
// so that it is reported like any other exhausted memory, else
// std::runtime_error naming what could not be done.
void throwOnIcuFailure(UErrorCode status, const char* what);

// ICU marks a string whose buffer could not be allocated as bogus instead
// of throwing; this turns that into std::bad_alloc.
void throwIfBogus(const icu::UnicodeString& text);

}  // namespace tokshuf::rank
