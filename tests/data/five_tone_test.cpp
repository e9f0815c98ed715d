#include "data/five_tone.h"

#include <gtest/gtest.h>

#include <array>

#include "data/lang_text.h"
#include "platform/runtime.h"

namespace j5 {
namespace {

class FiveTone : public ::testing::Test {
 protected:
  void SetUp() override { Init_Tone5_Std(data); }
  int divider(int s, int d) const {
    return data.Tone5_Div_Hi(s, d) * 256 + data.Tone5_Div_Lo(s, d);
  }
  Shared_Data data;
};

TEST_F(FiveTone, DisplayTextsAreElevenCharacters) {
  EXPECT_EQ(data.Tone5_Std_Name(0, 0), "   1981.0  ");
  EXPECT_EQ(data.Tone5_Std_Name(0, 11), "   930.0   ");
  EXPECT_EQ(data.Tone5_Std_Name(2, 15), "   0.0     ");
  EXPECT_EQ(data.Tone5_Std_Name(11, 0), "   979.8   ");
  EXPECT_EQ(data.Tone5_Std_Name(14, 14), "   487.5   ");
  for (int s = 0; s < kTone5NamedStandards; ++s) {
    for (int d = 0; d < 16; ++d) ASSERT_EQ(data.Tone5_Std_Name(s, d).size(), 11u) << s << d;
  }
}

TEST_F(FiveTone, FrequencyAndDividerBytes) {
  // CCIR1 digit A, 2400 Hz: divider 959.
  EXPECT_EQ(data.Tone5_Div_Lo(0, 10), 0xBF);
  EXPECT_EQ(data.Tone5_Div_Hi(0, 10), 0x03);
  // MODAT digit 0, 657.5 Hz: whole 657, divider 3504.
  EXPECT_EQ(data.Tone5_Freq_Lo(14, 0), 0x91);
  EXPECT_EQ(data.Tone5_Freq_Hi(14, 0), 0x02);
  EXPECT_EQ(data.Tone5_Div_Lo(14, 0), 0xB0);
  EXPECT_EQ(data.Tone5_Div_Hi(14, 0), 0x0D);
  // EURO digit 0, 979.8 Hz: whole 979, divider 2351.
  EXPECT_EQ(data.Tone5_Freq_Lo(11, 0), 0xD3);
  EXPECT_EQ(data.Tone5_Freq_Hi(11, 0), 0x03);
  EXPECT_EQ(divider(11, 0), 2351);
  EXPECT_EQ(divider(0, 0), 1163);  // 1981 Hz
  // PCCIR digit F: no tone.
  EXPECT_EQ(data.Tone5_Div_Lo(2, 15), 0);
  EXPECT_EQ(data.Tone5_Div_Hi(2, 15), 0);
  EXPECT_EQ(data.Tone5_Freq_Lo(2, 15), 0);
  // Every divider is the largest whole number strictly below clock / f.
  for (int s = 0; s < kTone5NamedStandards; ++s) {
    for (int d = 0; d < 16; ++d) {
      const double f = kTone5Freq[s][d];
      if (f == 0) continue;
      EXPECT_LT(divider(s, d) * f, kToneClockHz) << s << " " << d;
      EXPECT_GE((divider(s, d) + 1) * f, kToneClockHz) << s << " " << d;
    }
  }
}

TEST_F(FiveTone, DigitTonesAreThoseOfThePublishedStandards) {
  // Digits 0, 1, 5, A, B, D and F of each standard as published; the radio's decoder expects
  // these tones.
  const int digits[] = {0, 1, 5, 10, 11, 13, 15};
  const std::pair<const char*, std::array<double, 7>> standards[] = {
      {"CCIR1", {1981.0, 1124.0, 1446.0, 2400.0, 930.0, 991.0, 1055.0}},
      {"CCIR2", {1981.0, 1124.0, 1446.0, 2400.0, 930.0, 991.0, 1055.0}},
      {"PCCIR", {1981.0, 1124.0, 1446.0, 1050.0, 930.0, 991.0, 0.0}},
      {"ZVEI1", {2400.0, 1060.0, 1530.0, 2800.0, 810.0, 885.0, 680.0}},
      {"ZVEI2", {2400.0, 1060.0, 1530.0, 885.0, 810.0, 680.0, 2600.0}},
      {"ZVEI3", {2200.0, 970.0, 1400.0, 885.0, 0.0, 0.0, 0.0}},
      {"PZVEI", {2400.0, 1060.0, 1530.0, 970.0, 810.0, 885.0, 680.0}},
      {"DZVEI", {2200.0, 970.0, 1400.0, 825.0, 740.0, 885.0, 680.0}},
      {"PDZVEI", {2200.0, 970.0, 1400.0, 825.0, 886.0, 856.0, 0.0}},
      {"EEA", {1981.0, 1124.0, 1446.0, 1055.0, 930.0, 991.0, 2247.0}},
      {"EIA", {600.0, 741.0, 1305.0, 2151.0, 2433.0, 2292.0, 1091.0}},
      {"EURO", {979.8, 903.1, 652.0, 0.0, 0.0, 0.0, 0.0}},
      {"CCITT", {400.0, 697.0, 1209.0, 1900.0, 2000.0, 2200.0, 0.0}},
      {"NATEL", {1633.0, 631.0, 941.0, 1995.0, 571.0, 2437.0, 2694.0}},
      {"MODAT", {657.5, 787.5, 1387.5, 0.0, 0.0, 0.0, 0.0}},
  };
  for (int s = 0; s < kTone5NamedStandards; ++s) {
    const auto& [name, tones] = standards[s];
    EXPECT_EQ(Std_Index2Name(s), name);
    for (std::size_t i = 0; i < tones.size(); ++i) {
      const int d = digits[i];
      EXPECT_EQ(rt::Val(data.Tone5_Std_Name(s, d)), tones[i]) << name << " digit " << d;
      EXPECT_EQ(data.Tone5_Freq_Hi(s, d) * 256 + data.Tone5_Freq_Lo(s, d), int(tones[i]))
          << name << " digit " << d;
    }
  }
}

TEST_F(FiveTone, StandardFifteenStaysEmpty) {
  for (int d = 0; d < 16; ++d) {
    EXPECT_EQ(data.Tone5_Std_Name(15, d), "");
    EXPECT_EQ(data.Tone5_Freq_Lo(15, d) + data.Tone5_Freq_Hi(15, d), 0);
    EXPECT_EQ(data.Tone5_Div_Lo(15, d) + data.Tone5_Div_Hi(15, d), 0);
  }
}

TEST(Std_Name, LooksUpStandardsBothWays) {
  std::string name = " ZVEI2 ";
  EXPECT_EQ(Std_Name2Index(name), 4);
  EXPECT_EQ(name, "ZVEI2");
  std::string small = "ccir1";
  EXPECT_EQ(Std_Name2Index(small), kNoStandard);
  for (int s = 0; s < kTone5NamedStandards; ++s) {
    std::string n = Std_Index2Name(s);
    EXPECT_EQ(Std_Name2Index(n), s);
  }
  EXPECT_EQ(Std_Index2Name(0), "CCIR1");
  EXPECT_EQ(Std_Index2Name(14), "MODAT");
  EXPECT_EQ(Std_Index2Name(15), "");
  EXPECT_EQ(Std_Index2Name(255), "");
  EXPECT_EQ(Std_Index2Name(-1), "");
}

TEST(Load_Page_Buf, CopiesTheDataBytesOfFourFrames) {
  FrameStore blocks;
  PageBuffer page;
  for (int r = 0; r < 10; ++r) {
    for (int c = 0; c < 71; ++c) blocks(r, c) = static_cast<std::int16_t>(r * 100 + c);
  }
  int r = 2;
  Load_Page_Buf(blocks, page, r);
  EXPECT_EQ(r, 5);
  EXPECT_EQ(page(0, 0), 205);    // block row 2, first data byte
  EXPECT_EQ(page(3, 15), 268);   // block row 2, last data byte
  EXPECT_EQ(page(4, 0), 305);    // block row 3
  EXPECT_EQ(page(15, 15), 568);  // block row 5, last data byte

  int last = 198;  // rows 198..201 do not all exist
  EXPECT_THROW(Load_Page_Buf(blocks, page, last), std::out_of_range);
}

TEST(Get_Call_Type, ReadsTheLanguageTexts) {
  Shared_Data data;
  data.Lang_Chn = kFalse;
  Set_Lang_Text(data);
  EXPECT_EQ(Get_Call_Type(data, 0), "0.Open Speak");
  EXPECT_EQ(Get_Call_Type(data, 8), "8.Revive");
  EXPECT_EQ(Get_Call_Type(data, 9), "");
  EXPECT_EQ(Get_Call_Type(data, -1), "");
}

TEST(Fmt_FM_Freq, RoundsToWholeMHzHalfToEven) {
  EXPECT_EQ(Fmt_FM_Freq("87.5", 0), "88.00000");
  EXPECT_EQ(Fmt_FM_Freq("108", 0), "108.00000");
  EXPECT_EQ(Fmt_FM_Freq("88.5", 0), "88.00000");
  EXPECT_EQ(Fmt_FM_Freq("65.4", 0), "65.00000");
  EXPECT_EQ(Fmt_FM_Freq("x", 0), "0.00000");
  EXPECT_THROW(Fmt_FM_Freq("99999", 0), rt::OverflowError);
}

}  // namespace
}  // namespace j5
