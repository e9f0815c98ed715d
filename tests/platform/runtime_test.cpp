#include "platform/runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace j5::rt {
namespace {

struct ValCase {
  const char* text;
  double value;
};

// The fullest reading of a number text; the narrower readings used elsewhere (leading blanks
// skipped, digits with at most one point, stop at the first character that cannot continue the
// number, blanks between digits skipped, no number gives 0) are the first block of cases.
TEST(Val, ReadsTheLongestNumberAtTheStart) {
  const std::vector<ValCase> cases = {
      // narrower readings
      {"145.0125", 145.0125},
      {"   136.1", 136.1},
      {"12abc", 12},
      {"1.2.3", 1.2},
      {"abc", 0},
      {"", 0},
      {"  ", 0},
      {"1 500", 1500},
      {" 1 2 3", 123},
      {"88.5 MHz", 88.5},
      {"0", 0},
      // sign, point, exponent
      {"-2.5", -2.5},
      {"+7", 7},
      {"- 5", -5},
      {"5-3", 5},
      {".5", 0.5},
      {"-.25", -0.25},
      {"1.5E3", 1500},
      {"1.5e-2", 0.015},
      {"2E 2", 200},
      {"12E", 12},
      {"12E+x", 12},
      {"12Ex", 12},
      {"1e-400", 0},
      // blanks, tabs and line feeds anywhere, other characters stop the number
      {"\t1\t2", 12},
      {"1\n2", 12},
      {"1\r2", 1},
      {"1,5", 1},
      // prefixes
      {"&H1F", 31},
      {"&hff", 255},
      {" &H 10", 16},
      {"&O17", 15},
      {"&o78", 7},
      {"&Hxyz", 0},
      {"&X1", 0},
      {"-&H10", 0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(Val(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(Val, NumberBeyondADoubleIsAnOverflow) {
  EXPECT_THROW(Val("1e400"), OverflowError);
  EXPECT_THROW(Val(std::string(400, '9')), OverflowError);
  EXPECT_THROW(Val("-1E999"), OverflowError);
  EXPECT_DOUBLE_EQ(Val("0." + std::string(400, '0') + "1"), 0);
  // For a range check the overflow is the infinity of its sign; anything else reads as Val.
  EXPECT_EQ(Val_Unbounded("1e400"), HUGE_VAL);
  EXPECT_EQ(Val_Unbounded(" - 1E999"), -HUGE_VAL);
  EXPECT_EQ(Val_Unbounded("&H" + std::string(300, 'F')), HUGE_VAL);
  EXPECT_DOUBLE_EQ(Val_Unbounded("-12.5x"), -12.5);
}

TEST(Str, LeadingBlankFifteenDigitsNoTrailingZeros) {
  const std::vector<std::pair<double, std::string>> cases = {
      {245.625, " 245.625"},
      {136.1, " 136.1"},
      {136.1000, " 136.1"},
      {145, " 145"},
      {0, " 0"},
      {-0.0, " 0"},
      {-3, "-3"},
      {-0.125, "-0.125"},
      {0.5, " 0.5"},
      {0.1 + 0.2, " 0.3"},
      {1.0 / 3, " 0.333333333333333"},
      {123456789012345.0, " 123456789012345"},
      {1e15, " 1E+15"},
      {-2.5e-7, "-2.5E-07"},
      {32767, " 32767"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(Str(value), text) << value;
  EXPECT_THROW(Str(std::numeric_limits<double>::quiet_NaN()), OverflowError);
  EXPECT_THROW(Str(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(Str, ReadsBackThroughVal) {
  for (double v : {145.0125, -0.001, 66.00625, 1e20, 3.25e-9, 259.9}) {
    EXPECT_DOUBLE_EQ(Val(Str(v)), v);
  }
}

TEST(Int, IsTheFloor) {
  EXPECT_EQ(Int(2.5), 2);
  EXPECT_EQ(Int(-2.5), -3);
  EXPECT_EQ(Int(-0.01), -1);
  EXPECT_EQ(Int(7), 7);
}

TEST(CInt, RoundsHalfToEven) {
  const std::vector<std::pair<double, int>> cases = {
      {0.5, 0},     {1.5, 2},         {2.5, 2},           {3.5, 4},         {-0.5, 0},
      {-1.5, -2},   {-2.5, -2},       {2.4999, 2},        {2.5001, 3},      {-2.5001, -3},
      {199.0, 199}, {32767.4, 32767}, {-32768.5, -32768}, {32766.5, 32766}, {0, 0},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(CInt(value), expected) << value;
}

TEST(CInt, OutsideSixteenBitsIsAnOverflow) {
  for (double v : {32767.5, 32768.0, -32768.51, -40000.0, 1e300}) {
    EXPECT_THROW(CInt(v), OverflowError) << v;
  }
  EXPECT_THROW(CInt(std::numeric_limits<double>::quiet_NaN()), OverflowError);
  EXPECT_THROW(CInt(-std::numeric_limits<double>::infinity()), OverflowError);
  // The kit catches it as an ordinary range error.
  EXPECT_THROW(CInt(1e6), std::out_of_range);
}

TEST(Trim, RemovesOnlyOuterBlanks) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta\t "), "\ta\t");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim(Str(245.625)), "245.625");
}

TEST(NumberFile, LineLayoutHasSignPlaceDigitsAndABlank) {
  const std::vector<std::int16_t> values = {255, 0, -1, 13};
  EXPECT_EQ(formatNumberLine(values), " 255  0 -1  13 \r\n");

  const std::vector<std::int16_t> empty(16, 255);
  const std::string line = formatNumberLine(empty);
  EXPECT_EQ(line.size(), 82u);
  EXPECT_EQ(line.substr(0, 10), " 255  255 ");

  // Default adjustment row 12 as written in a file.
  const std::vector<std::int16_t> row12 = {52, 42, 31, 17, 7, 0, 3, 6, 12, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(formatNumberLine(row12), " 52  42  31  17  7  0  3  6  12  0  0  0  0  0  0  0 \r\n");

  const std::string rows =
      formatNumberRows(2, 3, [](std::size_t r, std::size_t c) { return int(r * 10 + c) - 1; });
  EXPECT_EQ(rows, "-1  0  1 \r\n 9  10  11 \r\n");
}

}  // namespace
}  // namespace j5::rt
