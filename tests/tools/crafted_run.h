#pragma once

// Profile files as tokshuf writes them for a run with chosen columns
// (--measures), a text of any length (--no-limits) and the global envelope
// test (--global), made by hand for the companions' tests.

#include <cstdio>
#include <string>
#include <vector>

namespace tokshuf::test {

// "N" and the labels, as the header line.
inline std::string headerLine(const std::vector<std::string>& labels) {
  std::string line = "N";
  for (const std::string& label : labels) line += " " + label;
  return line + "\n";
}

// A profile file: one row per token count; the value of column c (from 0)
// in row r (from 0) is value(r, c), written " %10.7f" as tokshuf does.
template <typename Value>
std::string profileText(const std::vector<std::string>& labels,
                        const std::vector<long long>& tokens, Value value) {
  std::string text = headerLine(labels);
  for (std::size_t r = 0; r < tokens.size(); ++r) {
    text += std::to_string(tokens[r]);
    for (std::size_t c = 0; c < labels.size(); ++c) {
      char field[64];
      std::snprintf(field, sizeof field, " %10.7f", value(r, c));
      text += field;
    }
    text += "\n";
  }
  return text;
}

// The same value everywhere.
inline std::string profileText(const std::vector<std::string>& labels,
                               const std::vector<long long>& tokens, double value) {
  return profileText(labels, tokens, [value](std::size_t, std::size_t) { return value; });
}

// TEXT.mgt with the same p for every measure and no chunk outside.
inline std::string globalTestText(const std::vector<std::string>& labels, const std::string& p,
                                  const std::string& all = "0.0020") {
  std::string text = "measure p below above left_out\n";
  for (const std::string& label : labels) text += label + " " + p + " none none none\n";
  return text + "all " + all + " - - -\n";
}

}  // namespace tokshuf::test
