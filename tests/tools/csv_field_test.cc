#include "table/csv_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tokshuf::table {
namespace {

TEST(CsvFieldTest, PlainTextStaysAsItIs) {
  EXPECT_EQ(csvField("texts/ruth"), "texts/ruth");
  EXPECT_EQ(csvField("with space and 'apostrophe'"), "with space and 'apostrophe'");
  EXPECT_EQ(csvField(""), "");
}

TEST(CsvFieldTest, CommasQuotesAndLineBreaksAreQuoted) {
  EXPECT_EQ(csvField("a,b"), "\"a,b\"");
  EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(csvField("cr\rhere"), "\"cr\rhere\"");
}

TEST(CsvFieldTest, FiniteNumbersKeepTheirDigits) {
  EXPECT_EQ(csvNumber(0.1, "0.1000000"), "0.1000000");
  EXPECT_EQ(csvNumber(-0.0, "-0.0000000"), "-0.0000000");
  EXPECT_EQ(csvNumber(1e308, "1e308"), "1e308");
}

TEST(CsvFieldTest, NonFiniteNumbersAsRAndPandasReadThem) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(csvNumber(std::nan(""), "nan"), "NaN");
  EXPECT_EQ(csvNumber(-std::nan(""), "-nan"), "NaN");
  EXPECT_EQ(csvNumber(inf, "inf"), "Inf");
  EXPECT_EQ(csvNumber(-inf, "-inf"), "-Inf");
}

}  // namespace
}  // namespace tokshuf::table
