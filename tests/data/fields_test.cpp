// Fields without controls: numbers in bits and value tables, texts through the shared codecs.
#include "data/fields.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "data/codecs.h"
#include "data/tables.h"

namespace j5 {
namespace {

using fields::Bits;
using fields::Coded;
using fields::Field;

TEST(Field, NumbersThroughMasksAndValueTables) {
  MemImage image;
  fields::Cells cells{image};
  const Field width{Bits{{3, 15}, 0x40, {1, 0}}};           // index 0 "W" is the set bit
  const Field power{Bits{{3, 14}, 0x03, {0, 1, 2}, 0x07}};  // reads three bits, writes two
  image(3, 15) = 0x44;
  image(3, 14) = 0x07;
  EXPECT_EQ(width.number(cells), 0);
  EXPECT_EQ(power.number(cells), 0);  // raw 7 is in no entry: index 0
  width.setNumber(cells, 1);
  power.setNumber(cells, 2);
  EXPECT_EQ(image(3, 15), 0x04);
  EXPECT_EQ(image(3, 14), 0x06);
  power.setNumber(cells, 3);  // beyond the table: nothing
  EXPECT_EQ(image(3, 14), 0x06);

  image(5, 15) = kEmptyByte;
  width.shifted(2).setNumber(cells, 1);
  EXPECT_EQ(image(5, 15), 0xBF);

  MemImage replaced;  // a table assigned anew (a whole read) stays in view
  replaced(3, 15) = 0x40;
  image = std::move(replaced);
  EXPECT_EQ(width.number(cells), 0);

  const Field whole{Bits{{0, 0}}};
  EXPECT_TRUE(whole.setText(cells, " 12.5"));  // a number field takes the rounded number
  EXPECT_EQ(image(0, 0), 12);
  EXPECT_EQ(whole.text(cells), "12");
  EXPECT_THROW(whole.shifted(700).number(cells), std::out_of_range);
}

TEST(Field, TextsThroughCodecs) {
  Shared_Data data;
  Init_Tone_Table(data);
  fields::Cells cells{data.Mem_Image};
  const Field rx{Coded{{0, 0}, Freq_Bcd4_Codec()}};
  const Field tone{Coded{{0, 8}, Tone_Code_Codec(data.Tone_Name)}};

  EXPECT_TRUE(rx.shifted(4).setText(cells, "145.0124"));
  EXPECT_EQ(rx.shifted(4).text(cells), "145.01000");  // snapped down to the raster
  EXPECT_FALSE(rx.setText(cells, "1000"));
  EXPECT_EQ(data.Mem_Image(0, 0), 0);
  data.Mem_Image(0, 0) = kEmptyByte;
  EXPECT_EQ(rx.text(cells), "");

  const struct {
    std::string typed;
    int low, high;
    std::string shown;
  } tones[] = {
      {"67", 158, 2, "67.0"}, {"100.5", 237, 3, "100.5"},     {"D023N", 1, 0, "  D023N   "},
      {"OFF", 0, 0, "OFF"},   {"D754I", 210, 0, " D754I   "},
  };
  for (const auto& t : tones) {
    SCOPED_TRACE(t.typed);
    EXPECT_TRUE(tone.setText(cells, t.typed));
    EXPECT_EQ(data.Mem_Image(0, 8), t.low);
    EXPECT_EQ(data.Mem_Image(0, 9), t.high);
    EXPECT_EQ(tone.text(cells), t.shown);
  }
  EXPECT_FALSE(tone.setText(cells, "59.9"));
  EXPECT_FALSE(tone.setText(cells, "D999N"));
  EXPECT_EQ(data.Mem_Image(0, 8), 210);
}

}  // namespace
}  // namespace j5
