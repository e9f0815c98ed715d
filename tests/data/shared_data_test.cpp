#include "data/shared_data.h"

#include <gtest/gtest.h>

#include "data/access_code.h"

namespace j5 {
namespace {

TEST(Shared_Data, StartsEmptyAndEachInstanceIsItsOwn) {
  Shared_Data a;
  EXPECT_EQ(a.Mem_Image, MemImage{});
  EXPECT_EQ(a.Mem_Image(600, 50), 0);
  EXPECT_EQ(a.Lang_Chn, kFalse);
  EXPECT_EQ(a.Chann_Total, 0);
  EXPECT_EQ(a.Tone_Name.size(), kToneTableSize);
  EXPECT_EQ(a.Tone_Name[0], "");

  a.Mem_Image(3, 4) = 255;
  a.Win_Chann = kTrue;
  Shared_Data b;
  EXPECT_EQ(b.Mem_Image(3, 4), 0);
  EXPECT_EQ(b.Win_Chann, kFalse);
}

TEST(Shared_Data, TablesRefuseIndexesOutsideTheirBounds) {
  Shared_Data data;
  EXPECT_THROW(data.Mem_Image(601, 0), std::out_of_range);
  EXPECT_THROW(data.Mem_Image(0, 51), std::out_of_range);
  EXPECT_THROW(data.Block_Buf(201, 0), std::out_of_range);
  EXPECT_THROW(data.Adj_Value(33, 0), std::out_of_range);
  EXPECT_THROW(data.Mem_Image.row(601), std::out_of_range);
  EXPECT_EQ(data.Mem_Image.row(600).size(), 51u);
}

TEST(Shared_Data, AccessCodeFillsBytesZeroToSeven) {
  Shared_Data data;
  Fill_Access_Code(data);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(data.Access_Code[i], kAccessCode[i]);
  EXPECT_EQ(data.Access_Code[8], 0);
  EXPECT_EQ(data.Access_Code[9], 0);
}

}  // namespace
}  // namespace j5
