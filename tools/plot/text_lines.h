#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace tokshuf::plot {

// The white-space separated fields of a line, as views into it: a line
// may be huge, and copying it field by field would hold it several times
// over.
std::vector<std::string_view> fieldsOf(std::string_view line);

// The next line, or false at the end of the file. A read error is not the
// end: what was read may be a cut-off line, and the rest is unknown; it
// throws a ProfileError naming `path`.
bool readLine(std::istream& in, std::string& line, const std::string& path);

// Throws a ProfileError "PATH:LINE: what".
[[noreturn]] void failAt(const std::string& path, int line, const std::string& what);

}  // namespace tokshuf::plot
