#include "data/defaults.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/runtime.h"

namespace j5 {
namespace {

// "00 25 FF ..." -> bytes.
std::vector<int> hex(const std::string& text) {
  std::istringstream in(text);
  std::vector<int> bytes;
  for (std::string b; in >> b;) bytes.push_back(std::stoi(b, nullptr, 16));
  return bytes;
}

std::vector<int> rowOf(const MemImage& image, int row, int first = 0, int count = 16) {
  std::vector<int> bytes;
  for (int c = first; c < first + count; ++c) bytes.push_back(image(row, c));
  return bytes;
}

// The start-up image as the factory tables give it, row by row; rows not listed hold FF.
const std::map<int, std::string> kFactoryRows = {
    {0, "00 25 56 24 00 25 56 24 FF FF FF FF 00 00 00 44"},
    {1, "00 00 61 13 00 00 61 13 FF FF FF FF 00 00 00 44"},
    {2, "00 50 39 17 00 50 39 17 FF FF FF FF 00 00 00 44"},
    {3, "00 25 00 40 00 25 00 40 FF FF FF FF 00 00 00 44"},
    {4, "00 50 99 47 00 50 99 47 FF FF FF FF 00 00 00 44"},
    {5, "00 00 65 43 00 00 65 43 C7 09 C7 09 00 00 01 44"},
    {6, "00 00 55 15 00 00 55 15 D2 00 D2 00 00 00 01 44"},
    {176, "01 02 03 04 05 FF FF FF FF FF FF FF FF FF FF FF"},
    {190, "05 04 03 02 01 FF FF FF FF FF FF FF FF FF FF FF"},
    {200, "01 00 01 FF FF 01 00 02 FF FF 01 00 03 FF FF 00"},
    {201, "01 00 04 FF FF 01 00 05 FF FF 01 00 06 FF FF 01"},
    {202, "01 00 00 00 01 01 00 00 00 02 01 00 00 00 00 02"},
    {203, "1F 03 00 00 0B FF FF FF FF FF FF FF FF FF FF FF"},
    {226, "80 00 00 00 00 03 00 05 03 01 00 03 00 00 00 01"},
    {227, "03 00 00 02 00 02 02 00 00 00 00 00 00 00 00 01"},
    {228, "05 00 00 00 01 02 00 00 05 01 03 01 00 00 00 00"},
    {229, "00 00 00 00 00 00 00 00 00 00 00 1F 00 00 00 00"},
    {240, "FF FF FF FF FF FF FF FF 01 03 06 00 02 05 00 00"},
    {241, "00 00 00 00 00 00 00 00 00 00 00 FF 00 00 50 00"},
    {242, "FF FF FF FF FF FF FF FF 04 07 00 06 02 05 00 00"},
    {243, "00 00 00 00 00 00 FF FF FF FF 01 FF 00 00 50 00"},
    {244, "20 20 20 46 4D 20 20 20 36 35 2D 37 35 4D FF FF"},
    {245, "20 20 20 46 4D 20 20 37 36 2D 31 30 38 4D FF FF"},
    {246, "57 45 4C 43 4F 4D 45 20 20 20 20 20 20 20 FF FF"},
};

MemImage expectedFactoryImage() {
  MemImage image;
  image.fill(0, 495, 0, 15, 255);
  for (const auto& [row, text] : kFactoryRows) {
    const auto bytes = hex(text);
    for (int c = 0; c < 16; ++c) image(row, c) = static_cast<std::int16_t>(bytes[c]);
  }
  return image;
}

class FactoryImage : public ::testing::Test {
 protected:
  void SetUp() override { Init_Factory_Image(data); }
  Shared_Data data;
};

TEST_F(FactoryImage, IsByteForByteTheFactoryTables) {
  const MemImage expected = expectedFactoryImage();
  for (int r = 0; r < 601; ++r) {
    ASSERT_EQ(rowOf(data.Mem_Image, r, 0, 51), rowOf(expected, r, 0, 51)) << "row " << r;
  }
  EXPECT_EQ(data.Option_Val[0], 128);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(data.Option_Val[i], data.Mem_Image(226 + i / 16, i % 16));
}

TEST_F(FactoryImage, WritesAsNumberLines) {
  std::size_t emptyLines = 0;
  for (int r = 0; r <= kImageLastFileRow; ++r) {
    const std::string line = rt::formatNumberLine(data.Mem_Image.row(r).first<16>());
    if (rowOf(data.Mem_Image, r) == std::vector<int>(16, 255)) {
      ASSERT_EQ(line.size(), 82u) << r;
      ++emptyLines;
    }
  }
  EXPECT_EQ(emptyLines, 481u - kFactoryRows.size());
  EXPECT_EQ(rt::formatNumberLine(data.Mem_Image.row(0).first<16>()),
            " 0  37  86  36  0  37  86  36  255  255  255  255  0  0  0  68 \r\n");
}

TEST_F(FactoryImage, WorkChannelsPointAtTheFirstChannelBeforeTheFirstWrite) {
  EXPECT_EQ(rowOf(data.Mem_Image, 231), std::vector<int>(16, 255));
  Check_Work_Chann(data);
  auto expected = std::vector<int>(16, 255);
  expected[1] = 0;
  expected[6] = 0;
  expected[7] = 0;
  EXPECT_EQ(rowOf(data.Mem_Image, 231), expected);
  EXPECT_EQ(data.Mem_Image(228, 12), 0);
}

struct WorkCase {
  const char* what;
  std::vector<int> programmed;  // channels with a receive frequency
  int a, b;                     // row 231 bytes 6 and 7 before
  int wantA, wantB;
};

TEST(Check_Work_Chann, PointsBothWorkChannelsAtProgrammedChannels) {
  const std::vector<WorkCase> cases = {
      {"first channels empty", {2}, 0, 2, 2, 2},
      {"both programmed", {3, 9}, 9, 3, 9, 3},
      {"above 127", {4}, 200, 128, 4, 4},
      {"negative from a file", {0, 1}, -1, -300, 0, 0},
      {"only the last row, beyond the channel count", {127}, 5, 127, 127, 127},
  };
  for (const auto& c : cases) {
    Shared_Data data;
    data.Chann_Total = 16;
    data.Mem_Image.fill(0, 127, 0, 15, 255);
    for (int ch : c.programmed) data.Mem_Image.fill(ch, ch, 0, 3, 0x12);
    data.Mem_Image(231, 6) = static_cast<std::int16_t>(c.a);
    data.Mem_Image(231, 7) = static_cast<std::int16_t>(c.b);
    data.Mem_Image(231, 1) = 77;
    data.Mem_Image(228, 12) = 5;
    Check_Work_Chann(data);
    EXPECT_EQ(data.Mem_Image(231, 6), c.wantA) << c.what;
    EXPECT_EQ(data.Mem_Image(231, 7), c.wantB) << c.what;
    EXPECT_EQ(data.Mem_Image(231, 1), 0) << c.what;
    EXPECT_EQ(data.Mem_Image(228, 12), 5) << c.what;
  }
}

TEST(Check_Work_Chann, NoProgrammedChannelClearsOptionByte44) {
  Shared_Data data;
  data.Mem_Image.fill(0, 127, 0, 15, 255);
  data.Mem_Image.fill(0, 127, 0, 1, 0);  // bytes 2 and 3 still empty: not programmed
  data.Mem_Image.fill(231, 231, 0, 15, 9);
  data.Mem_Image(228, 12) = 5;
  Check_Work_Chann(data);
  EXPECT_EQ(rowOf(data.Mem_Image, 231), hex("09 00 09 09 09 09 00 00 09 09 09 09 09 09 09 09"));
  EXPECT_EQ(data.Mem_Image(228, 12), 0);
}

TEST(Check_Work_Chann, OneEmptyReceiveByteMakesAChannelUnprogrammed) {
  Shared_Data data;
  data.Mem_Image.fill(0, 127, 0, 15, 255);
  data.Mem_Image.fill(0, 1, 0, 3, 0x10);
  data.Mem_Image(0, 2) = 255;
  data.Mem_Image(231, 6) = 0;
  data.Mem_Image(231, 7) = 1;
  Check_Work_Chann(data);
  EXPECT_EQ(data.Mem_Image(231, 6), 1);
  EXPECT_EQ(data.Mem_Image(231, 7), 1);
}

TEST_F(FactoryImage, DefaultChannelsKeepTheNames) {
  data.Mem_Image.fill(8, 8, 0, 15, 0x30);
  data.Mem_Image.fill(264, 264, 0, 5, 0x41);
  Def_Chann(data);
  EXPECT_EQ(rowOf(data.Mem_Image, 264), hex("41 41 41 41 41 41 FF FF FF FF FF FF FF FF FF FF"));
  EXPECT_EQ(rowOf(data.Mem_Image, 8), std::vector<int>(16, 255));
  EXPECT_EQ(rowOf(data.Mem_Image, 0), hex(kFactoryRows.at(0)));
}

TEST(Def_Option, KeepsTheBytesItDoesNotName) {
  Shared_Data data;
  data.Option_Val.fill(7);
  data.Mem_Image.fill(240, 246, 0, 15, 0x66);
  Def_Option(data);
  for (int b : {1, 2, 44, 50, 58}) EXPECT_EQ(data.Option_Val[b], 7) << b;
  EXPECT_EQ(data.Option_Val[64], 7);  // beyond the option block
  EXPECT_EQ(data.Option_Val[0], 128);
  EXPECT_EQ(data.Mem_Image(226, 0), 0x80);
  EXPECT_EQ(data.Mem_Image(226, 1), 7);
  EXPECT_EQ(data.Mem_Image(228, 12), 7);
  EXPECT_EQ(rowOf(data.Mem_Image, 240, 0, 8), std::vector<int>(8, 0x66));
  EXPECT_EQ(rowOf(data.Mem_Image, 242, 0, 8), std::vector<int>(8, 0x66));
  EXPECT_EQ(data.Mem_Image(241, 11), 0x66);
  EXPECT_EQ(data.Mem_Image(243, 11), 0x66);
  EXPECT_EQ(rowOf(data.Mem_Image, 244, 14, 2), (std::vector<int>{0x66, 0x66}));
  EXPECT_EQ(rowOf(data.Mem_Image, 246, 14, 2), (std::vector<int>{0x66, 0x66}));
}

TEST(Def_FM_Band_Text, WritesOnlyTheFourteenLabelBytes) {
  Shared_Data data;
  Def_FM_Band_Text(data);
  EXPECT_EQ(rowOf(data.Mem_Image, 244), hex("20 20 20 46 4D 20 20 20 36 35 2D 37 35 4D 00 00"));
  EXPECT_EQ(rowOf(data.Mem_Image, 245), hex("20 20 20 46 4D 20 20 37 36 2D 31 30 38 4D 00 00"));
  EXPECT_EQ(rowOf(data.Mem_Image, 243), std::vector<int>(16, 0));
}

TEST(Def_Dtmf, CodesAreDecimalDigitsOfTheirLength) {
  const auto& d = kDtmfDefaults;
  for (auto code : {d.group1, d.group15, d.masterId, d.viceId, d.ownId}) {
    EXPECT_EQ(code.size(), 5u);
    EXPECT_EQ(code.find_first_not_of("0123456789"), std::string_view::npos);
  }
  for (auto code : {d.inspection, d.monitor, d.alarm, d.stun, d.kill, d.revive}) {
    EXPECT_EQ(code.size(), 3u);
    EXPECT_EQ(code.find_first_not_of("0123456789"), std::string_view::npos);
  }
}

// The first adjustment set, "-" cells as 0 (their value after start-up).
const std::vector<std::vector<int>> kAdjFirstSet = {
    std::vector<int>(16, 13),
    std::vector<int>(16, 14),
    std::vector<int>(16, 15),
    std::vector<int>(16, 3),
    std::vector<int>(16, 4),
    std::vector<int>(16, 5),
    {0, 24, 24, 24, 24, 25, 26, 27, 28, 29, 0, 0, 0, 0, 0, 12},
    {3, 4, 4, 4, 4, 4, 4, 4, 3, 2, 1, 0, 0, 0, 0, 0},
    {0, 16, 17, 18, 19, 20, 21, 22, 23, 24, 0, 0, 0, 0, 0, 13},
    {3, 4, 4, 4, 4, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0},
    {0, 16, 17, 18, 19, 20, 21, 22, 23, 24, 0, 0, 0, 0, 0, 0},
    {3, 4, 4, 4, 4, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0},
    {52, 42, 31, 17, 7, 0, 3, 6, 12, 0, 0, 0, 0, 0, 0, 0},
    {5, 5, 7, 7, 7, 7, 10, 8, 5, 0, 0, 0, 0, 0, 0, 0},
    {127, 20, 32, 42, 52, 62, 72, 84, 95, 106, 112, 115, 118, 125, 135, 160},
    {1, 1, 48, 1, 121, 1, 2, 64, 2, 112, 1, 4, 0, 5, 32, 0},
};

std::vector<int> adjRow(const AdjTable& table, int row) {
  std::vector<int> cells;
  for (int c = 0; c < 16; ++c) cells.push_back(table(row, c));
  return cells;
}

TEST(AdjustmentDefaults, StartUpCopiesTheFirstSet) {
  Shared_Data data;
  Init_Adj_Default(data);
  Init_Adj_Default(data);  // start-up calls it twice: same table
  Copy_Adj_Default(data);
  for (int r = 0; r < 16; ++r) EXPECT_EQ(adjRow(data.Adj_Value, r), kAdjFirstSet[r]) << r;
  for (int r = 16; r < 20; ++r) EXPECT_EQ(adjRow(data.Adj_Value, r), std::vector<int>(16, 0));
  EXPECT_EQ(data.Adj_Value(0, 16), 0);
}

TEST(AdjustmentDefaults, FirstSetLeavesItsOpenCellsAlone) {
  Shared_Data data;
  data.Adj_Default.fill(0, 32, 0, 16, 77);
  Init_Adj_Default(data);
  for (int c = 10; c <= 14; ++c) {
    EXPECT_EQ(data.Adj_Default(6, c), 77);
    EXPECT_EQ(data.Adj_Default(8, c), 77);
    EXPECT_EQ(data.Adj_Default(10, c), 77);
  }
  EXPECT_EQ(data.Adj_Default(10, 15), 77);
  EXPECT_EQ(data.Adj_Default(15, 15), 77);
  EXPECT_EQ(data.Adj_Default(6, 15), 12);
}

TEST(AdjustmentDefaults, SecondSetOverTheFirst) {
  Shared_Data data;
  Init_Adj_Default(data);
  Init_Adj_Default2(data);
  EXPECT_EQ(adjRow(data.Adj_Default, 4),
            (std::vector<int>{24, 48, 0, 1, 48, 0, 4, 4, 15, 208, 11, 26, 16, 43, 50, 200}));
  EXPECT_EQ(adjRow(data.Adj_Default, 11),
            (std::vector<int>{0, 1, 1, 1, 1, 37, 39, 41, 43, 45, 60, 18, 12, 255, 0, 128}));
  EXPECT_EQ(adjRow(data.Adj_Default, 15), kAdjFirstSet[15]);
  EXPECT_EQ(data.Adj_Default(12, 15), 0);
  // Cells of the published second set from every row, its ends among them.
  const std::array<int, 3> cells[] = {
      {0, 0, 120},  {0, 15, 120},  {1, 0, 120},  {1, 15, 120},  {2, 0, 55},    {2, 15, 55},
      {3, 0, 55},   {3, 15, 55},   {4, 0, 24},   {4, 3, 1},     {4, 7, 4},     {4, 12, 16},
      {4, 15, 200}, {5, 0, 44},    {5, 3, 50},   {5, 7, 10},    {5, 12, 79},   {5, 15, 78},
      {6, 0, 41},   {6, 3, 6},     {6, 7, 45},   {6, 12, 108},  {6, 15, 0},    {7, 0, 1},
      {7, 3, 31},   {7, 7, 60},    {7, 12, 11},  {7, 15, 1},    {8, 0, 10},    {8, 3, 2},
      {8, 7, 29},   {8, 12, 0},    {8, 15, 0},   {9, 0, 0},     {9, 7, 0},     {9, 13, 0},
      {10, 0, 0},   {10, 3, 31},   {10, 7, 41},  {10, 12, 12},  {10, 15, 136}, {11, 0, 0},
      {11, 3, 1},   {11, 7, 41},   {11, 12, 12}, {11, 15, 128}, {12, 0, 2},    {12, 7, 2},
      {12, 12, 54}, {12, 14, 115}, {13, 0, 0},   {13, 10, 1},   {13, 12, 0},   {13, 14, 121}};
  for (const auto& [r, c, value] : cells)
    EXPECT_EQ(data.Adj_Default(r, c), value) << "row " << r << " column " << c;
  std::string label;
  for (int c = 0; c < 12; ++c) label += static_cast<char>(data.Adj_Default(14, c));
  EXPECT_EQ(label, kAdjDefault2Label);
  EXPECT_EQ(label.find_first_not_of(" ABCDEFGHIJKLMNOPQRSTUVWXYZ-0123456789"), std::string::npos);
  EXPECT_EQ(adjRow(data.Adj_Default, 14).back(), 160);
  EXPECT_EQ(data.Adj_Default(14, 12), 118);
}

}  // namespace
}  // namespace j5
