#pragma once
// The messages and captions of the option window copies, in both languages (those of the transfer
// come with its description).

#include "shell/prompt.h"

namespace j5::copy {

inline const Bilingual kMsgChannCount{"信道数在 1 - 128 之间选择",
                                      "Channel select from 1 to 128 ."};
// Chinese in both languages for side A; side B says it in English under the lower title.
inline const Bilingual kMsgFreqA{"当前工作频率超出范围 ！", "当前工作频率超出范围 ！"};
inline const Bilingual kMsgFreqB{"当前工作频率超出范围 ！", "Over the range of Work frequency ."};
inline const Bilingual kMsgPwdLength{"效验码的有效长度为 6 位 ！", "Password length is 6 digit."};
inline const Bilingual kMsgPwdRange{" 效验码的有效数字为 000000 - 999999 ",
                                    "  Available Password from 000000 to 999999 "};
inline const Bilingual kMsgRxLowBand{
    "下限接收频率不可小于本机最低工作频率",
    "Receive frequency of lower limit can't less than the lowest of work frequency. "};
inline const Bilingual kMsgRxLowOrder{
    "下限接收频率不可大于上限接收频率",
    "Receive frequency of lower limit can't more than receive frequency of upper limit."};
inline const Bilingual kMsgRxHighBand{
    "上限接收频率不可大于本机最高工作频率",
    "Receive frequency of upper limit can't more than the highest of work frequency. "};
inline const Bilingual kMsgRxHighOrder{
    "上限接收频率不可小于下限接收频率",
    "Receive frequency of upper limit can't less than receive frequency of lower limit."};
inline const Bilingual kMsgTxLowOrder{
    "下限发射频率不可大于上限发射频率",
    "Transmit frequency of lower limit can't more than transmit frequency of upper limit."};
inline const Bilingual kMsgTxLowRx{
    "下限发射频率不可小于下限接收频率",
    "Transmit frequency of lower limit can't less than receive frequency of lower limit's."};
inline const Bilingual kMsgTxHighRx{
    "上限发射频率不可大于上限接收频率",
    "Transmit frequency of upper limit can't more than receive frequency of upper limit."};
inline const Bilingual kMsgTxHighOrder{
    "上限发射频率不可小于下限发射频率",
    "Transmit frequency of upper limit can't less than transmit frequency of lower limit. "};
inline const Bilingual kMsgFileLoaded{"可选参数从文件调入成功 ！",
                                      "Succeed fold the optional parameters from file."};
inline const Bilingual kMsgFileSaved{"可选参数保存完毕 ！",
                                     "Complete storing optional parameters."};
inline const Bilingual kMsgFileLoadFail{"可选参数文件调入失败 ！",
                                        "Fail to load the optional parameters file."};
inline const Bilingual kMsgFileSaveFail{"可选参数保存失败 ！",
                                        "Fail to store the optional parameters file."};

}  // namespace j5::copy
