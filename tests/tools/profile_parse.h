#pragma once

// A profile file's text through the companions' reader, for the library
// tests.

#include <sstream>
#include <string>

#include "plot/profile_table.h"

namespace tokshuf::plot::testing {

inline ProfileTable parse(const std::string& text) {
  std::istringstream in(text);
  return parseProfile(in, "x.obs");
}

// The reader's message for the text, or "no error".
inline std::string errorOf(const std::string& text) {
  try {
    parse(text);
  } catch (const ProfileError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace tokshuf::plot::testing
