#include "data/lang_text.h"

#include <gtest/gtest.h>

namespace j5 {
namespace {

TEST(Set_Lang_Text, FillsEveryEntryInTheChosenLanguage) {
  Shared_Data data;
  data.Lang_Chn = kTrue;
  Set_Lang_Text(data);
  EXPECT_EQ(data.Lang_Text[0], "XX电子 XXXXX 系列对讲机编程调试软件");
  EXPECT_EQ(data.Lang_Text[4], "确定");
  EXPECT_EQ(data.Lang_Text[5], "系统信息(&S)...");
  EXPECT_EQ(data.Lang_Text[9], "3.提醒并回");
  EXPECT_EQ(data.Lang_Text[10], "0.通话");
  EXPECT_EQ(data.Lang_Text[18], "8.开机");

  data.Lang_Chn = kFalse;
  Set_Lang_Text(data);
  const std::array<std::string, 13> english = {"0.None",
                                               "1.Alert",
                                               "2.Transpond",
                                               "3.Alert+Transpond",
                                               "0.Open Speak",
                                               "1.Primary Caller ID",
                                               "2.Secondary Caller ID",
                                               "3.Monitor",
                                               "4.Inspection ",
                                               "5.Emergency",
                                               "6.Stun",
                                               "7.Kill",
                                               "8.Revive"};
  for (std::size_t i = 0; i < english.size(); ++i) EXPECT_EQ(data.Lang_Text[6 + i], english[i]);
  EXPECT_EQ(data.Lang_Text[4], "Confirm");
  EXPECT_EQ(data.Lang_Text[5], "System Information(&S)...");
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NE(data.Lang_Text[i], kLangTextChinese[i]) << i;

  // Any non-zero flag means Chinese, and every entry is replaced on each call.
  data.Lang_Chn = 1;
  Set_Lang_Text(data);
  for (std::size_t i = 0; i < kLangTextCount; ++i) {
    EXPECT_EQ(data.Lang_Text[i], kLangTextChinese[i]) << i;
    EXPECT_FALSE(data.Lang_Text[i].empty()) << i;
    EXPECT_FALSE(kLangTextEnglish[i].empty()) << i;
  }
}

}  // namespace
}  // namespace j5
