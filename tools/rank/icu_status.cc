#include "rank/icu_status.h"

#include <new>
#include <stdexcept>
#include <string>

namespace tokshuf::rank {

void throwOnIcuFailure(UErrorCode status, const char* what) {
  if (status == U_MEMORY_ALLOCATION_ERROR) throw std::bad_alloc();
  if (U_FAILURE(status)) {
    throw std::runtime_error(std::string("ICU cannot ") + what + ": " + u_errorName(status));
  }
}

void throwIfBogus(const icu::UnicodeString& text) {
  if (text.isBogus()) throw std::bad_alloc();
}

}  // namespace tokshuf::rank
