#include "data/tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "platform/runtime.h"

namespace j5 {
namespace {

class Tables : public ::testing::Test {
 protected:
  void SetUp() override {
    Init_Tone_Table(data);
    Init_Opt_Id(data);
  }
  Shared_Data data;
};

TEST_F(Tables, ToneNamesArePaddedInTheirColumns) {
  const auto& n = data.Tone_Name;
  EXPECT_EQ(n[0], "   OFF      ");
  EXPECT_EQ(n[1], "   67.0    ");
  EXPECT_EQ(n[9], "   88.5    ");
  EXPECT_EQ(n[10], "  91.5    ");
  EXPECT_EQ(n[12], "  97.4    ");
  EXPECT_EQ(n[13], "  100.0   ");
  EXPECT_EQ(n[49], "  250.3   ");
  EXPECT_EQ(n[50], "  254.1   ");
  EXPECT_EQ(n[51], "  D023N   ");
  EXPECT_EQ(n[99], "  D266N   ");
  EXPECT_EQ(n[100], " D271N   ");
  EXPECT_EQ(n[155], " D754N   ");
  EXPECT_EQ(n[156], " D023I   ");
  EXPECT_EQ(n[260], " D754I   ");
  for (std::size_t i = 261; i < kToneTableSize; ++i) ASSERT_EQ(n[i], "") << i;
  // Widths by range, which the lists rely on to line up.
  const auto width = [&](int first, int last, std::size_t w) {
    for (int i = first; i <= last; ++i) EXPECT_EQ(n[i].size(), w) << i;
  };
  width(1, 9, 11);
  width(10, 50, 10);
  width(51, 99, 10);
  width(100, 260, 9);
}

TEST_F(Tables, ToneNameFollowsToneCodeOrder) {
  // A CTCSS entry reads back as its tone, the tones rise, and DCS code n is entry n + 50.
  for (int i = 1; i <= 50; ++i) {
    EXPECT_DOUBLE_EQ(rt::Val(data.Tone_Name[i]) * 10, kCtcssTenths[i - 1]);
    if (i > 1) {
      EXPECT_GT(kCtcssTenths[i - 1], kCtcssTenths[i - 2]);
    }
  }
  std::set<std::string> names(data.Tone_Name.begin() + 51, data.Tone_Name.begin() + 261);
  EXPECT_EQ(names.size(), 210u);
  EXPECT_EQ(rt::Trim(data.Tone_Name[1 + kDcsNameOffset]), "D023N");
  EXPECT_EQ(rt::Trim(data.Tone_Name[210 + kDcsNameOffset]), "D754I");
}

TEST_F(Tables, TonesAndCodesAreTheRadiosOwn) {
  // Entries of the published CTCSS and DCS lists, from both ends and between: the radio decodes
  // exactly these, so a changed entry is a tone the radio does not know.
  const std::pair<int, const char*> ctcss[] = {
      {1, "67.0"},   {2, "69.3"},   {9, "88.5"},   {10, "91.5"},  {12, "97.4"},
      {13, "100.0"}, {21, "131.8"}, {27, "159.8"}, {28, "162.2"}, {33, "177.3"},
      {40, "199.5"}, {44, "218.1"}, {48, "241.8"}, {49, "250.3"}, {50, "254.1"}};
  for (const auto& [entry, tone] : ctcss) {
    EXPECT_EQ(rt::Trim(data.Tone_Name[entry]), tone) << entry;
    EXPECT_EQ(kCtcssTenths[entry - 1], std::lround(std::stod(tone) * 10)) << entry;
  }
  const std::pair<int, const char*> dcs[] = {{1, "023"},  {2, "025"},   {17, "114"}, {34, "205"},
                                             {49, "266"}, {50, "271"},  {58, "343"}, {65, "411"},
                                             {71, "445"}, {72, "446"},  {80, "503"}, {88, "606"},
                                             {97, "664"}, {104, "743"}, {105, "754"}};
  for (const auto& [n, code] : dcs) {
    EXPECT_EQ(rt::Trim(data.Tone_Name[kDcsNameOffset + n]), std::string("D") + code + "N") << n;
    EXPECT_EQ(rt::Trim(data.Tone_Name[kDcsNameOffset + 105 + n]), std::string("D") + code + "I")
        << n;
  }
}

TEST_F(Tables, ToneListCoversEveryTenthThenTheDcsCodes) {
  const auto& l = data.Tone_List;
  EXPECT_EQ(l[0], "OFF");
  EXPECT_EQ(l[1], "60.0");
  EXPECT_EQ(l[71], "67.0");
  EXPECT_EQ(l[74], "67.3");
  EXPECT_EQ(l[2000], "259.9");
  EXPECT_EQ(l[2001], "D023N");
  EXPECT_EQ(l[2105], "D754N");
  EXPECT_EQ(l[2106], "D023I");
  EXPECT_EQ(l[2210], "D754I");
  for (std::size_t i = 2211; i < kToneTableSize; ++i) ASSERT_EQ(l[i], "") << i;
  for (int i = 1; i <= 2000; ++i) {
    ASSERT_EQ(l[i], rt::Trim(rt::Str((599 + i) / 10.0)) + ((599 + i) % 10 == 0 ? ".0" : "")) << i;
  }
  for (int n = 1; n <= 210; ++n) {
    ASSERT_EQ(l[kDcsListOffset + n], rt::Trim(data.Tone_Name[kDcsNameOffset + n])) << n;
  }
}

TEST(Init_Model_Band, FillsVariantsAndSetsOnlyTheVhfLimits) {
  Shared_Data data;
  data.UHF0_Low = 1;
  data.UHF1_High = 2;
  Init_Model_Band(data);
  EXPECT_EQ(data.VHF_Low, 130);
  EXPECT_EQ(data.VHF_High, 179);
  EXPECT_EQ(data.UHF0_Low, 1);
  EXPECT_EQ(data.UHF1_High, 2);
  EXPECT_EQ(data.Model_Name[0], "VHF/UHF0/UHF1");
  EXPECT_EQ(data.Model_Name[2], "VHF2/UHF2");
  EXPECT_EQ(data.Model_Name[3], "");
  const std::vector<std::vector<int>> bands = {{130, 179, 240, 260, 400, 520, 0},
                                               {136, 174, 240, 250, 0, 0, 0},
                                               {144, 146, 430, 440, 0, 0, 0},
                                               {400, 471, 0, 0, 0, 0, 0},
                                               {450, 521, 0, 0, 0, 0, 0},
                                               {100, 701, 0, 0, 0, 0, 0},
                                               {66, 89, 0, 0, 0, 0, 0},
                                               {0, 0, 0, 0, 0, 0, 0},
                                               {0, 0, 0, 0, 0, 0, 0},
                                               {0, 0, 0, 0, 0, 0, 0},
                                               {0, 0, 0, 0, 0, 0, 0}};
  for (std::size_t m = 0; m < kModelCount; ++m) {
    for (std::size_t k = 0; k < kModelLimits; ++k) EXPECT_EQ(data.Model_Band(m, k), bands[m][k]);
  }

  data.Model_Index = 6;
  Init_Model_Band(data);
  EXPECT_EQ(data.VHF_Low, 66);
  EXPECT_EQ(data.VHF_High, 89);
}

TEST_F(Tables, OptIdNamesDistinctOptionBytesAndTheRestAliasByteZero) {
  std::set<int> bytes(data.Opt_Id.begin(), data.Opt_Id.begin() + 46);
  EXPECT_EQ(bytes.size(), 46u);
  for (int b : bytes) {
    EXPECT_TRUE((b >= 3 && b <= 43) || (b >= 59 && b <= 63)) << b;
  }
  EXPECT_EQ(data.Opt_Id[0], 5);
  EXPECT_EQ(data.Opt_Id[41], 59);
  EXPECT_EQ(data.Opt_Id[45], 61);
  data.Option_Val[0] = 99;
  EXPECT_EQ(data.Option_Val[data.Opt_Id[46]], 99);
  EXPECT_EQ(data.Option_Val[data.Opt_Id[60]], 99);
}

}  // namespace
}  // namespace j5
