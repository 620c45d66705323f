#pragma once

#include <string>
#include <string_view>

namespace tokshuf::table {

// A field as RFC 4180 writes it: enclosed in double quotes, with inner
// quotes doubled, when it holds a comma, a quote or a line break; as it is
// otherwise.
std::string csvField(std::string_view text);

// A value of a profile file for the CSV: a finite number with the digits
// it was written with, a non-finite one as "NaN", "Inf" or "-Inf", which
// R's read.csv and pandas' read_csv both read as numbers.
std::string csvNumber(double value, const std::string& written);

}  // namespace tokshuf::table
