#pragma once

// Reads the profile tables the tool writes (.obs, .mcm, .mcl, .mch): a
// header line of column labels, then one line of blank-separated numbers
// per chunk. Values such as "inf", "nan" and "-nan" are read as well.

#include <string>
#include <vector>

namespace tokshuf::test {

class Profile {
 public:
  // Throws std::runtime_error when a data line does not have one field per
  // label or a field is not a number.
  static Profile parse(const std::string& content);

  const std::vector<std::string>& labels() const { return labels_; }
  int rowCount() const { return int(values_.size()); }
  // Index of a label in the header; throws when absent.
  int column(const std::string& label) const;
  // Rows are counted from 0 (the first chunk).
  double value(int row, const std::string& label) const;
  const std::string& text(int row, const std::string& label) const;
  const std::vector<double>& row(int row) const { return values_.at(row); }
  const std::vector<std::string>& rowText(int row) const { return texts_.at(row); }

 private:
  std::vector<std::string> labels_;
  std::vector<std::vector<double>> values_;
  std::vector<std::vector<std::string>> texts_;
};

// Splits text at runs of blanks (spaces and tabs).
std::vector<std::string> splitFields(const std::string& line);
// Splits text into lines at '\n'; a final line feed does not start a line.
std::vector<std::string> splitLines(const std::string& text);

}  // namespace tokshuf::test
