// The optional features window's number and text rules on their own.
#include "editors/options/option_text.h"

#include <gtest/gtest.h>

namespace j5::opt_test {
namespace {

using namespace j5::opt;

std::string Snapped(double mhz) {
  return Freq_Digits_Text(Freq_To_Digits(Snap_Freq_Units(mhz)));
}

TEST(OptionText, FrequencySnapsDownToTheNearerRaster) {
  const struct {
    double typed;
    const char* shown;
  } cases[] = {
      {136.0137, "136.01250"},  // equal remainders: the 2.5 kHz raster
      {136.0065, "136.00625"}, {145.5437, "145.54250"}, {145.5438, "145.54375"},
      {130, "130.00000"},      {179.999, "179.99750"},  {145.0124995, "145.01250"},
      {66.00625, "66.00625"},
  };
  for (const auto& c : cases) EXPECT_EQ(Snapped(c.typed), c.shown) << c.typed;
  EXPECT_EQ(Freq_To_Digits(Snap_Freq_Units(136.0137)), (Freq_Digits{1, 3, 6, 0, 1, 2, 5, 0}));
  EXPECT_EQ(Freq_To_Digits(Snap_Freq_Units(136.0065)), (Freq_Digits{1, 3, 6, 0, 0, 6, 2, 5}));
}

TEST(OptionText, StoredDigitsShowWithoutBytesThatAreNoDigits) {
  EXPECT_EQ(Freq_Digits_Text({1, 3, 6, 0, 2, 5, 0, 0}), "136.02500");
  EXPECT_EQ(Freq_Digits_Text({0, 4, 5, 1, 2, 5, 0, 0}), "45.12500");
  EXPECT_EQ(Freq_Digits_Text({1, 3, 255, 0, 2, 5, 0, 0}), "13.02500");
}

TEST(OptionText, TheBandHoldsTheWholeOfItsLastMegahertz) {
  EXPECT_TRUE(In_Band(130, 130, 179));
  EXPECT_TRUE(In_Band(179.5, 130, 179));
  EXPECT_TRUE(In_Band(179.99750, 130, 179));
  EXPECT_FALSE(In_Band(180, 130, 179));
  EXPECT_FALSE(In_Band(129.99, 130, 179));
  EXPECT_EQ(Freq_Below_Text(130), "130.02500");
  EXPECT_EQ(Freq_Above_Text(179), "178.62500");
  EXPECT_EQ(Range_Text(400, 520), "400 - 520.99750");
}

TEST(OptionText, OffsetsAreCutToTheFiveKilohertzGrid) {
  const struct {
    double typed;
    const char* shown;
    std::array<int, 6> digits;
  } cases[] = {
      {0, "00.000", {0, 0, 0, 0, 0, 0}},     {0.6, "00.600", {0, 0, 0, 6, 0, 0}},
      {5, "05.000", {0, 0, 5, 0, 0, 0}},     {12.347, "12.345", {0, 1, 2, 3, 4, 5}},
      {59.95, "59.950", {0, 5, 9, 9, 5, 0}},
  };
  for (const auto& c : cases) {
    const int kHz = Offset_Grid_kHz(c.typed);
    EXPECT_EQ(Offset_Text(kHz), c.shown) << c.typed;
    EXPECT_EQ(Offset_To_Digits(kHz), c.digits) << c.typed;
    EXPECT_EQ(Offset_Digits_Text(c.digits), c.shown) << c.typed;
  }
  // An erased record shows a zero offset that fits the box.
  EXPECT_EQ(Offset_Digits_Text({255, 255, 255, 255, 255, 255}), "00.000");
  EXPECT_EQ(Offset_Digits_Text({1, 0, 0, 5, 0, 0}), "00.500");
}

TEST(OptionText, TypedTonesAreWrittenAsTheListWritesThem) {
  EXPECT_EQ(Tone_Typed_Text("088.50"), "88.5");
  EXPECT_EQ(Tone_Typed_Text(" 100 "), "100.0");
  EXPECT_EQ(Tone_Typed_Text("60"), "60.0");
  EXPECT_EQ(Tone_Typed_Text("88.55"), "88.55");
  EXPECT_EQ(Tone_Typed_Text("260"), "260");
  EXPECT_EQ(Tone_Typed_Text("88.5.1"), "88.5.1");  // not one number: left to fail the look-up
  EXPECT_EQ(Tone_Typed_Text("D023N"), "D023N");
}

TEST(OptionText, PowerOnLinesAreCentred) {
  const struct {
    const char* text;
    Pon_Bytes bytes;
    const char* shown;
  } cases[] = {
      {"HI", {0x20, 0x20, 0x48, 0x49, 0x20, 0x20, 0x20}, "HI"},
      {"abc", {0x20, 0x20, 0x41, 0x42, 0x43, 0x20, 0x20}, "ABC"},
      {"ABCDEF", {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x20}, "ABCDEF"},
      {"A B", {0x20, 0x20, 0x41, 0x20, 0x42, 0x20, 0x20}, "A B"},  // the inner blank stays
      {"ABCDEFGH", {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47}, "ABCDEFG"},
      {"   ", {0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, ""},
      {"中*", {0x20, 0x20, 0x0B, 0x0B, 0x20, 0x20, 0x20}, ""},
      {"WELCOME", {87, 69, 76, 67, 79, 77, 69}, "WELCOME"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Pon_Encode(c.text), c.bytes) << c.text;
    EXPECT_EQ(Pon_Decode(c.bytes), c.shown) << c.text;
  }
  EXPECT_EQ(Pon_Decode({255, 255, 255, 255, 255, 255, 255}), "");
}

TEST(OptionText, ChannelCounts) {
  EXPECT_FALSE(Chann_Count_Of("0"));
  EXPECT_FALSE(Chann_Count_Of("129"));
  EXPECT_FALSE(Chann_Count_Of("abc"));
  EXPECT_EQ(Chann_Count_Of("1"), 1);
  EXPECT_EQ(Chann_Count_Of("128"), 128);
  EXPECT_EQ(Chann_Count_Of("64.5"), 64);
  EXPECT_EQ(Chann_Count_Of("65.5"), 66);
}

}  // namespace
}  // namespace j5::opt_test
