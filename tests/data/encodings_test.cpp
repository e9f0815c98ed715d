#include "data/encodings.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/runtime.h"

namespace j5 {
namespace {

std::array<int, 4> bytesAt(const MemImage& image, int row, int column) {
  return {image(row, column), image(row, column + 1), image(row, column + 2),
          image(row, column + 3)};
}

struct SnapCase {
  std::string given;
  std::string snapped;
  std::array<int, 4> bytes;
};

TEST(Set_Freq, SnapsDownToTheCloserRasterAndPadsToNineCharacters) {
  const std::vector<SnapCase> cases = {
      {"145.0125", "145.01250", {0x50, 0x12, 0x50, 0x14}},
      {"145.00625", "145.00625", {0x25, 0x06, 0x50, 0x14}},
      {"145.0070", "145.00625", {0x25, 0x06, 0x50, 0x14}},     // 6.25 kHz remainder 0.75 beats 2.0
      {"145.0037", "145.00250", {0x50, 0x02, 0x50, 0x14}},     // 2.5 kHz remainder 1.2 beats 3.7
      {"145.0124", "145.01000", {0x00, 0x10, 0x50, 0x14}},     // snaps down
      {"145.0124995", "145.01250", {0x50, 0x12, 0x50, 0x14}},  // within 1 Hz below
      {"136.1", "136.10000", {0x00, 0x00, 0x61, 0x13}},
      {"88.5", "88.500000", {0x00, 0x00, 0x85, 0x08}},
      {"66.00625", "66.006250", {0x25, 0x06, 0x60, 0x06}},
      // further cases: a whole MHz gets its point, a tie goes to 2.5 kHz, the top of the range
      {"5", "5.0000000", {0x00, 0x00, 0x50, 0x00}},
      {" 436.5", "436.50000", {0x00, 0x00, 0x65, 0x43}},
      {"145.025", "145.02500", {0x00, 0x25, 0x50, 0x14}},
      {"999.99999", "999.99750", {0x50, 0x97, 0x99, 0x99}},
      {"0", "0.0000000", {0, 0, 0, 0}},
      // below 10 MHz the text has its point already: it gets no second one
      {"9.5", "9.5000000", {0x00, 0x00, 0x95, 0x00}},
      {"5.7", "5.7000000", {0x00, 0x00, 0x57, 0x00}},
      {"0.0025", "0.0025000", {0x50, 0x02, 0x00, 0x00}},
  };
  for (const auto& c : cases) {
    MemImage image;
    std::string text = c.given;
    ASSERT_TRUE(Set_Freq(image, text, 3, 4)) << c.given;
    EXPECT_EQ(text, c.snapped) << c.given;
    EXPECT_EQ(bytesAt(image, 3, 4), c.bytes) << c.given;
  }
}

TEST(Set_Freq, RefusesWhatFourBytesCannotHold) {
  for (const std::string given : {"1000", "1000.0025", "1234.5", "-5", "-0.01", "1e400"}) {
    MemImage image;
    image.fill(0, 0, 0, 15, 7);
    std::string text = given;
    EXPECT_FALSE(Set_Freq(image, text, 0, 0)) << given;
    EXPECT_EQ(text, given);
    EXPECT_EQ(bytesAt(image, 0, 0), (std::array<int, 4>{7, 7, 7, 7})) << given;
  }
}

TEST(Set_Freq, PositionOutsideTheImageChangesNothing) {
  MemImage image;
  std::string text = "145.0125";
  EXPECT_THROW(Set_Freq(image, text, 0, 48), std::out_of_range);
  EXPECT_THROW(Set_Freq(image, text, 601, 0), std::out_of_range);
  EXPECT_EQ(text, "145.0125");
  EXPECT_EQ(image, MemImage{});
}

TEST(Cov_Freq2Bcd, PacksDigitsMostSignificantFirst) {
  EXPECT_EQ(Cov_Freq2Bcd("145.01250"), (BcdFreq{0x14, 0x50, 0x12, 0x50}));
  EXPECT_EQ(Cov_Freq2Bcd("136.1"), (BcdFreq{0x13, 0x61, 0x00, 0x00}));  // 0.1 keeps its unit
  EXPECT_EQ(Cov_Freq2Bcd("999.99999"), (BcdFreq{0x99, 0x99, 0x99, 0x99}));
  EXPECT_EQ(Cov_Freq2Bcd("12.345678"), (BcdFreq{0x01, 0x23, 0x45, 0x67}));  // below 10 Hz dropped
  EXPECT_FALSE(Cov_Freq2Bcd("1000"));
  EXPECT_FALSE(Cov_Freq2Bcd("2000"));
  EXPECT_FALSE(Cov_Freq2Bcd("-0.5"));
  EXPECT_FALSE(Cov_Freq2Bcd("9e999"));
}

TEST(Cov_Bcd2Freq, GivesEightCharactersBelowHundredMHzAndNineAbove) {
  EXPECT_EQ(Cov_Bcd2Freq(0x25, 0x06, 0x60, 0x06), "66.00625");
  EXPECT_EQ(Cov_Bcd2Freq(0x00, 0x00, 0x85, 0x08), "88.50000");
  EXPECT_EQ(Cov_Bcd2Freq(0x00, 0x00, 0x61, 0x13), "136.10000");
  EXPECT_EQ(Cov_Bcd2Freq(0x50, 0x12, 0x50, 0x14), "145.01250");
  EXPECT_EQ(Cov_Bcd2Freq(0x00, 0x00, 0x00, 0x00), "0.000000");
  EXPECT_EQ(Cov_Bcd2Freq(0x00, 0x00, 0x00, 0x40), "400.00000");
  EXPECT_EQ(Cov_Bcd2Freq(0xFF, 0xFF, 0xFF, 0xFF), "1666.66665");  // empty pattern, unchanged
}

TEST(Cov_Bcd2Freq, ATextBelowTenMHzHasOnePoint) {
  EXPECT_EQ(Cov_Bcd2Freq(0x00, 0x00, 0x07, 0x00), "0.700000");
  EXPECT_EQ(Cov_Bcd2Freq(0x00, 0x00, 0x57, 0x00), "5.700000");
  EXPECT_EQ(Cov_Bcd2Freq(0x25, 0x01, 0x95, 0x00), "9.501250");
  EXPECT_EQ(Cov_Bcd2Freq(0x00, 0x00, 0x00, 0x01), "10.00000");
  // Below 100 Hz the number's text would take the exponent form.
  EXPECT_EQ(Cov_Bcd2Freq(0x05, 0x00, 0x00, 0x00), "0.000050");
  EXPECT_EQ(Cov_Bcd2Freq(0x00, 0x00, 0x00, 0xF0), "1500.0000");  // nibbles above 9, from a file
}

TEST(Cov_Bcd2Freq, ReadsBackWhatSet_FreqWrote) {
  for (const std::string given : {"145.0125", "66.00625", "436.5", "173.95", "479.95"}) {
    MemImage image;
    std::string text = given;
    ASSERT_TRUE(Set_Freq(image, text, 0, 0));
    const std::string shown = Cov_Bcd2Freq(image(0, 0), image(0, 1), image(0, 2), image(0, 3));
    EXPECT_DOUBLE_EQ(rt::Val(shown), rt::Val(text)) << given;
  }
}

TEST(Cov_Bcd2Freq, OutOfByteValuesFromAFileAreSafe) {
  EXPECT_FALSE(Cov_Bcd2Freq(-1, 300, -32768, 32767).empty());
}

TEST(Set_Tone, WritesTheToneInTenthsOfHertzLowByteFirst) {
  const std::vector<std::pair<std::string, std::array<int, 2>>> cases = {
      {"250.3", {199, 9}},     {"67.0", {0x9E, 0x02}}, {"FF", {255, 255}},
      {"254.1", {0xED, 0x09}}, {"0.05", {0, 0}},  // half to even: 0.5 tenth rounds to 0
      {"0.15", {2, 0}},                           // 1.5 tenths round to 2
      {"25.56", {0, 1}},  // 255.6 tenths round to 256: carried into the high byte
      {"51.16", {0, 2}},
  };
  for (const auto& [text, bytes] : cases) {
    MemImage image;
    ASSERT_TRUE(Set_Tone(image, text, 5, 8)) << text;
    EXPECT_EQ(image(5, 8), bytes[0]) << text;
    EXPECT_EQ(image(5, 9), bytes[1]) << text;
  }
}

TEST(Set_Tone, LeavesTheCellsForValuesOutsideTheToneRange) {
  for (const std::string text : {"0", "300", "255", "-67", "ff", "OFF", "", "1e999"}) {
    MemImage image;
    image(0, 0) = 11;
    image(0, 1) = 22;
    EXPECT_FALSE(Set_Tone(image, text, 0, 0)) << text;
    EXPECT_EQ(image(0, 0), 11);
    EXPECT_EQ(image(0, 1), 22);
  }
}

TEST(Cov_Char2b, CodesDigitsCapitalsSignsAndBlank) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"0", 48}, {"9", 57}, {"A", 65}, {"Z", 90}, {"a", 65},  {"q", 81},  {"z", 90},  {"+", 43},
      {"-", 45}, {" ", 32}, {"*", 11}, {"", 11},  {"AB", 11}, {"  ", 11}, {"中", 11}, {"\xFF", 11},
  };
  for (const auto& [text, code] : cases) EXPECT_EQ(Cov_Char2b(text), code) << text;
}

TEST(Cov_b2Char, IsTheInverseForEveryDisplayCode) {
  for (int code = -300; code <= 300; ++code) {
    const std::string text = Cov_b2Char(code);
    const bool shown = (code >= 48 && code <= 57) || (code >= 65 && code <= 90) || code == 43 ||
                       code == 45 || code == 32;
    if (shown) {
      ASSERT_EQ(text.size(), 1u) << code;
      EXPECT_EQ(Cov_Char2b(text), code);
    } else {
      EXPECT_EQ(text, "") << code;
    }
  }
}

}  // namespace
}  // namespace j5
