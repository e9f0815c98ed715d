#pragma once
// The messages and texts of the optional features window, in both languages
// (those of its transfer come with the transfer's description).

#include "shell/prompt.h"

namespace j5::opt {

// Message boxes (the title each takes is given where it is shown).
// Chinese in both languages, under the Chinese title.
inline const Bilingual kMsgFreqRange{"当前工作频率超出范围 ！", "当前工作频率超出范围 ！"};
inline const Bilingual kMsgTooLong{"频率超出范围 ！", "Over the range of  frequency ."};
inline const Bilingual kMsgChannCount{"信道数在 1 - 128 之间选择",
                                      "Channel select from 1 to 128 ."};
inline const Bilingual kMsgFileLoaded{"参数从文件调入成功 ！",
                                      "Succeed fold the parameter from file."};
inline const Bilingual kMsgFileSaved{"参数保存完毕 ！", "Complete storing  parameter."};
// Headlines over the file's name and why it failed.
inline const Bilingual kMsgFileLoadFail{"参数文件调入失败 ！", "Fail to load the parameter file."};
inline const Bilingual kMsgFileSaveFail{"参数保存失败 ！", "Fail to store the parameter file."};

// Progress label and status texts.
inline const Bilingual kTextSaved{"保存参数正常 ！", "Store  parameter in gear."};

}  // namespace j5::opt
