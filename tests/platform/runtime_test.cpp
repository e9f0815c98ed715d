#include "platform/runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
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

TEST(NumberFile, ReaderIgnoresHowNumbersAreSplit) {
  std::vector<std::int16_t> expected;
  for (int i = 0; i < 48; ++i) expected.push_back(static_cast<std::int16_t>(i * 7 - 20));
  const std::string written =
      formatNumberRows(3, 16, [&](std::size_t r, std::size_t c) { return expected[r * 16 + c]; });

  std::string oneLine, onePerLine, commas, tabsAndCommas;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const std::string n = std::to_string(expected[i]);
    oneLine += n + " ";
    onePerLine += n + "\r\n";
    commas += (i ? "," : "") + n;
    tabsAndCommas += (i ? " ,\t" : "\t") + n + (i % 5 == 4 ? "\n" : "");
  }
  for (const std::string& text : {written, oneLine, onePerLine, commas, tabsAndCommas}) {
    const NumberRead read = readNumbers(text, expected.size());
    EXPECT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.values, expected) << text;
  }
}

TEST(NumberFile, ReaderStopsAtTheCountAndKeepsValuesAsGiven) {
  const NumberRead read = readNumbers(" 300 -1 32767 -32768 \r\n 9 junk", 4);
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.values, (std::vector<std::int16_t>{300, -1, 32767, -32768}));
}

TEST(NumberFile, ReaderRefusesWhatIsNotASixteenBitWholeNumber) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {" 1  2 ", "only 2 of 3 numbers (line 1)"},
      {"", "only 0 of 3 numbers (line 1)"},
      {"1 2\r\n12abc", "\"12abc\" is not a whole number (line 2)"},
      {"1 1.5 3", "\"1.5\" is not a whole number (line 1)"},
      {"1 + 3", "\"+\" is not a whole number (line 1)"},
      {"1 - 3", "\"-\" is not a whole number (line 1)"},
      {"1 32768 3", "32768 is out of the 16-bit range (line 1)"},
      {"1\n\n-32769 3", "-32769 is out of the 16-bit range (line 3)"},
      {"1 99999999999 3", "99999999999 is out of the 16-bit range (line 1)"},
      {"1,,3", "empty field (line 1)"},
      {"1 ,\n, 3", "empty field (line 2)"},
      {",1 2 3", "empty field (line 1)"},
  };
  for (const auto& [text, error] : cases) {
    EXPECT_EQ(readNumbers(text, 3).error, error) << text;
  }
  EXPECT_EQ(readNumbers("4 5 x", 3).values, (std::vector<std::int16_t>{4, 5}));
}

class NumberFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("j5_runtime_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(NumberFileOnDisk, WriteReplacesAndReadsBack) {
  const std::string path = (dir_ / "x.dat").string();
  std::string error;
  ASSERT_TRUE(writeTextFileReplacing(path, "old text that is longer", error)) << error;
  ASSERT_TRUE(writeTextFileReplacing(path, " 1  -2 \r\n", error)) << error;
  std::string text;
  ASSERT_TRUE(readTextFile(path, text, error));
  EXPECT_EQ(text, " 1  -2 \r\n");
  const NumberRead read = readNumberFile(path, 2);
  EXPECT_TRUE(read.ok());
  EXPECT_EQ(read.values, (std::vector<std::int16_t>{1, -2}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(NumberFileOnDisk, FailuresAreReportedAndKeepTheOldFile) {
  std::string error;
  EXPECT_FALSE(writeTextFileReplacing((dir_ / "no" / "x.dat").string(), "1", error));
  EXPECT_FALSE(error.empty());

  // A directory in the way of the target: the write fails and leaves no temporary file.
  std::filesystem::create_directories(dir_ / "taken" / "inner");
  error.clear();
  EXPECT_FALSE(writeTextFileReplacing((dir_ / "taken").string(), "1", error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken" / "inner"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);

  // A file that happens to carry a name like the temporary one is not touched.
  std::ofstream(dir_ / "x.dat.part") << "mine";
  ASSERT_TRUE(writeTextFileReplacing((dir_ / "x.dat").string(), "1", error));
  std::string text;
  ASSERT_TRUE(readTextFile((dir_ / "x.dat.part").string(), text, error));
  EXPECT_EQ(text, "mine");

  const NumberRead missing = readNumberFile((dir_ / "missing.dat").string(), 1);
  EXPECT_FALSE(missing.ok());
  EXPECT_TRUE(missing.values.empty());
}

}  // namespace
}  // namespace j5::rt
