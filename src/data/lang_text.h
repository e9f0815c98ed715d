#pragma once
// The texts several windows share, in the current language: the about box (entries 0..5), the
// two-tone responses (6..9, Tone2_Response_Text) and the call types (10..18, Call_Type_Text).

#include <array>
#include <string_view>

#include "data/shared_data.h"

namespace j5 {

inline constexpr std::size_t kTone2ResponseFirst = 6;
inline constexpr std::size_t kCallTypeFirst = 10;

inline constexpr std::array<std::string_view, kLangTextCount> kLangTextChinese = {
    "XX电子 XXXXX 系列对讲机编程调试软件",
    "版权所有 (C) 2018 XX电子",
    "软件设计：XX电子",
    "警告：本程序受著作权法保护。未经授权复制或传播本程序或其任何部分，将依法追究民事及刑事责任。",
    "确定",
    "系统信息(&S)...",
    "0.无",
    "1.提醒",
    "2.回复",
    "3.提醒并回",
    "0.通话",
    "1.主叫",
    "2.被叫",
    "3.监听",
    "4.巡查",
    "5.报警",
    "6.遥晕",
    "7.遥毙",
    "8.开机"};

inline constexpr std::array<std::string_view, kLangTextCount> kLangTextEnglish = {
    "XX Electronics J5 Series Radio Programming Software",
    "Copyright (C) 2018 XX Electronics",
    "Software designed by XX Electronics",
    "Warning: this program is protected by copyright law. Unauthorised copying or distribution "
    "of this program, or of any part of it, will be prosecuted.",
    "Confirm",
    "System Information(&S)...",
    "0.None",
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

// Fills all nineteen Lang_Text entries: Chinese when Lang_Chn is non-zero, else English.
void Set_Lang_Text(Shared_Data& data);

}  // namespace j5
