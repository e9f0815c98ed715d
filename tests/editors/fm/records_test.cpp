// The FM records' bytes and texts, without the window.
#include <gtest/gtest.h>

#include <vector>

#include "editors/fm/fm_record.h"

namespace j5::fm {
namespace {

std::vector<int> Bytes(const FmImage& t, int row, int first, int last) {
  std::vector<int> out;
  for (int c = first; c <= last; ++c)
    out.push_back(t(static_cast<std::size_t>(row), static_cast<std::size_t>(c)));
  return out;
}

void Put(FmImage& t, int row, const std::vector<int>& bytes) {
  for (std::size_t c = 0; c < bytes.size(); ++c)
    t(static_cast<std::size_t>(row), c) = static_cast<std::int16_t>(bytes[c]);
}

TEST(FmRecords, FrequencyTextOfEveryDigitPattern) {
  const struct {
    std::vector<std::int16_t> digits;
    const char* text;
  } cases[] = {
      {{0, 8, 8, 9, 0, 0, 0, 0}, "88.90000"},
      {{0, 8, 7, 5, 0, 0, 0, 0}, "87.50000"},
      {{1, 0, 0, 0, 0, 0, 0, 0}, "100.00000"},
      {{1, 0, 5, 9, 0, 0, 0, 0}, "105.90000"},
      {{1, 0, 8, 0, 0, 0, 0, 0}, "108.00000"},
      {{0, 9, 8, 3, 0, 0, 0, 0}, "98.30000"},
      {{0, 0, 5, 0, 0, 0, 0, 0}, "05.00000"},
      {{1, 0, 0, 1, 2, 3, 4, 5}, "100.12345"},
      {{255, 255, 255, 255, 255, 255, 255, 255}, "28333.33305"},
  };
  for (const auto& c : cases) EXPECT_EQ(Cov_Freq(c.digits), c.text);
  EXPECT_EQ(Cov_i2b(171), "AB ");
}

// A record of digits reads as its text, and that text stores the same digits again: a read
// then a write leaves the radio as it was, below 10 MHz too.
TEST(FmRecords, LegalDigitsReadBackAsTheSameBytes) {
  const struct {
    std::vector<int> digits;
    const char* text;
  } cases[] = {
      {{0, 0, 5, 0, 0, 0, 0, 0}, "05.00000"},  {{0, 0, 9, 5, 0, 0, 0, 0}, "09.50000"},
      {{0, 0, 0, 5, 0, 0, 0, 0}, "00.50000"},  {{0, 0, 0, 0, 0, 0, 0, 1}, "00.00001"},
      {{0, 0, 0, 0, 1, 0, 0, 0}, "00.01000"},  {{0, 1, 0, 0, 0, 0, 0, 0}, "10.00000"},
      {{0, 8, 8, 9, 0, 0, 0, 0}, "88.90000"},  {{0, 9, 9, 9, 9, 9, 9, 9}, "99.99999"},
      {{1, 0, 5, 9, 0, 0, 0, 0}, "105.90000"}, {{9, 9, 9, 9, 9, 9, 9, 9}, "999.99999"},
      {{0, 0, 0, 0, 0, 0, 0, 0}, ""},
  };
  for (const auto& c : cases) {
    FmImage t = Erased_Fm_Image();
    const fields::Cells cells{t};
    Put(t, 3, c.digits);
    EXPECT_EQ(Freq_Column().text(cells, 3), c.text);
    Put(t, 3, {7, 7, 7, 7, 7, 7, 7, 7});
    ASSERT_TRUE(Freq_Column().store(cells, 3, c.text));
    EXPECT_EQ(Bytes(t, 3, 0, 7), c.digits) << c.text;
  }
}

TEST(FmRecords, RecordDisplayIncludingErasedAndEmptyRows) {
  FmImage t = Erased_Fm_Image();
  const fields::Cells cells{t};
  Put(t, 0, {0, 8, 8, 9, 0, 0, 0, 0, 0xFF, 'H', 'N', 'N', 'E', 'W', 0xFF, 0xFF});
  Put(t, 1,
      {0, 0, 0, 0, 0, 0, 0, 0, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'});  // empty: name unread
  Put(t, 2, {1, 0, 0, 0, 0, 0, 0, 0, 'A', ' ', 0x7F, 0x80, 0x1F, 'Z', 0xFF, 0xFF});
  EXPECT_EQ(Freq_Column().text(cells, 0), "88.90000");
  EXPECT_EQ(Name_Column().text(cells, 0), "HNNEW");
  EXPECT_EQ(Freq_Column().text(cells, 1), "");
  EXPECT_EQ(Name_Column().text(cells, 2), "A\x7FZ");  // blanks, controls and codes from 128 skipped
  EXPECT_EQ(Freq_Column().text(cells, 3), "28333.33305");  // an erased row
  EXPECT_EQ(Name_Column().text(cells, 3), "");
}

TEST(FmRecords, FrequencyAndNameBytes) {
  const struct {
    const char *freq, *name;
    std::vector<int> bytes;
  } cases[] = {
      {"88.90000", "HNNEW", {0, 8, 8, 9, 0, 0, 0, 0, 0xFF, 'H', 'N', 'N', 'E', 'W', 0xFF, 0xFF}},
      {"90.40000", "CCTV1", {0, 9, 0, 4, 0, 0, 0, 0, 0xFF, 'C', 'C', 'T', 'V', '1', 0xFF, 0xFF}},
      {"99.50000", "ABCDEF", {0, 9, 9, 5, 0, 0, 0, 0, 'A', 'B', 'C', 'D', 'E', 'F', 0xFF, 0xFF}},
      {"105.90000", "X", {1, 0, 5, 9, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 'X', 0xFF, 0xFF, 0xFF, 0xFF}},
      {"100.00000", "AB", {1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 'A', 'B', 0xFF, 0xFF, 0xFF}},
      {"100.00000", "ABC", {1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 'A', 'B', 'C', 0xFF, 0xFF, 0xFF}},
      {"100.00000", "ABCDEFGH", {1, 0, 0, 0, 0, 0, 0, 0, 'A', 'B', 'C', 'D', 'E', 'F', 0xFF, 0xFF}},
      {"", "", {0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"105.9x", "", {1, 0, 5, 9, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      // An inner blank is a byte of its own; a character beyond one byte goes out as "?".
      {"100.00000", "A B", {1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 'A', ' ', 'B', 0xFF, 0xFF, 0xFF}},
      {"100.00000", "台A", {1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, '?', 'A', 0xFF, 0xFF, 0xFF}},
      {"100.00000", "é", {1, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xE9, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const auto& c : cases) {
    FmImage t = Erased_Fm_Image();
    const fields::Cells cells{t};
    ASSERT_TRUE(Freq_Column().store(cells, 4, c.freq));
    ASSERT_TRUE(Name_Column().store(cells, 4, c.name));
    EXPECT_EQ(Bytes(t, 4, 0, 15), c.bytes) << c.freq << " " << c.name;
  }
}

TEST(FmRecords, EveryFrequencyAndNameComesBackAsEntered) {
  FmImage t = Erased_Fm_Image();
  const fields::Cells cells{t};
  for (int units = 8750000; units <= 10800000; units += 1237) {
    const std::string text = Freq_Cell_Text(units / 100000.0);
    ASSERT_TRUE(Freq_Column().store(cells, 0, text));
    ASSERT_EQ(Freq_Column().text(cells, 0), text);
  }
  for (int len = 1; len <= 6; ++len)
    for (int code = 33; code <= 127; ++code) {
      const std::string name(static_cast<std::size_t>(len), static_cast<char>(code));
      ASSERT_TRUE(Name_Column().store(cells, 0, name));
      ASSERT_EQ(Name_Column().text(cells, 0), name);
    }
}

TEST(FmRecords, BandLimits) {
  FmImage t = Erased_Fm_Image();
  const fields::Cells cells{t};
  const char* limits[] = {"136.00000", "173.00000", "400.00000", "469.00000"};
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(Band_Fields()[static_cast<std::size_t>(i)].setText(cells, limits[i]));
  EXPECT_EQ(Bytes(t, kBandRow, 0, 15),
            (std::vector<int>{1, 3, 6, 1, 7, 3, 4, 0, 0, 4, 6, 9, 255, 255, 255, 255}));
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(Band_Fields()[static_cast<std::size_t>(i)].text(cells), limits[i]);
  // Each limit on its own three digits: a short or empty one shifts nothing.
  ASSERT_TRUE(Band_Fields()[0].setText(cells, "66"));
  ASSERT_TRUE(Band_Fields()[1].setText(cells, ""));
  EXPECT_EQ(Bytes(t, kBandRow, 0, 8), (std::vector<int>{0, 6, 6, 0, 0, 0, 4, 0, 0}));
  EXPECT_EQ(Band_Fields()[0].text(cells), "66.00000");
  // A value without three digits is refused and leaves the bytes.
  for (const char* bad : {"-1.00000", "1000", "999.5", "1e300", "1e999"})
    EXPECT_FALSE(Band_Fields()[2].setText(cells, bad)) << bad;
  EXPECT_EQ(Bytes(t, kBandRow, 6, 8), (std::vector<int>{4, 0, 0}));
  EXPECT_TRUE(Band_Fields()[2].setText(cells, "136.5"));  // a half to the even neighbour
  EXPECT_EQ(Bytes(t, kBandRow, 6, 8), (std::vector<int>{1, 3, 6}));
  // An erased band row shows empty boxes rather than a number no box can hold.
  const FmImage erased = Erased_Fm_Image();
  FmImage copy = erased;
  EXPECT_EQ(Band_Fields()[3].text(fields::Cells{copy}), "");
}

TEST(FmRecords, TypedCellTexts) {
  EXPECT_EQ(Freq_Cell_Text(90), "90.00000");
  EXPECT_EQ(Freq_Cell_Text(105), "105.00000");
  EXPECT_EQ(Freq_Cell_Text(88.9), "88.90000");
  EXPECT_EQ(Freq_Cell_Text(100.123456), "100.12345");
  EXPECT_EQ(Freq_Cell_Text(87.5), "87.50000");
  EXPECT_EQ(Name_Cell_Text("  abcdefgh "), "ABCDEF");
  EXPECT_EQ(Name_Cell_Text("电台名称很长啊"), "电台名称很长");
}

}  // namespace
}  // namespace j5::fm
