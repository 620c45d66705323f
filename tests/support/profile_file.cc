#include "support/profile_file.h"

#include <cstdlib>
#include <stdexcept>

namespace tokshuf::test {

std::vector<std::string> splitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = line.find_first_not_of(" \t");
  while (start != std::string::npos) {
    const std::size_t end = line.find_first_of(" \t", start);
    fields.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(" \t", end);
  }
  return fields;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

namespace {

double parseNumber(const std::string& field) {
  char* end = nullptr;
  const double value = std::strtod(field.c_str(), &end);
  if (field.empty() || *end != '\0') {
    throw std::runtime_error("profile field is not a number: " + field);
  }
  return value;
}

}  // namespace

Profile Profile::parse(const std::string& content) {
  Profile profile;
  const std::vector<std::string> lines = splitLines(content);
  if (lines.empty()) throw std::runtime_error("profile has no header line");
  profile.labels_ = splitFields(lines[0]);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> fields = splitFields(lines[i]);
    if (fields.size() != profile.labels_.size()) {
      throw std::runtime_error("profile line " + std::to_string(i + 1) +
                               " has " + std::to_string(fields.size()) +
                               " fields: " + lines[i]);
    }
    std::vector<double> values;
    for (const std::string& field : fields) values.push_back(parseNumber(field));
    profile.values_.push_back(std::move(values));
    profile.texts_.push_back(std::move(fields));
  }
  return profile;
}

int Profile::column(const std::string& label) const {
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    if (labels_[i] == label) return int(i);
  }
  throw std::runtime_error("profile has no column " + label);
}

double Profile::value(int row, const std::string& label) const {
  return values_.at(row).at(column(label));
}

const std::string& Profile::text(int row, const std::string& label) const {
  return texts_.at(row).at(column(label));
}

}  // namespace tokshuf::test
