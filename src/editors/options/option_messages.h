#pragma once
// Every message and progress text of the optional features window, in both
// languages.

#include "shell/prompt.h"

namespace j5::opt {

// Message boxes (the title each takes is given where it is shown).
inline const Bilingual kMsgBusy{"正在与对讲机进行读写操作 ！",
                                "Read-write operating with transceiver ."};
inline const Bilingual kMsgBusyClose{"正在进行读写操作,请勿关窗口 ！,",
                                     "Read-write operating，don't close the window.,"};
// Chinese in both languages, under the Chinese title.
inline const Bilingual kMsgFreqRange{"当前工作频率超出范围 ！", "当前工作频率超出范围 ！"};
inline const Bilingual kMsgTooLong{"频率超出范围 ！", "Over the range of  frequency ."};
inline const Bilingual kMsgChannCount{"信道数在 1 - 128 之间选择",
                                      "Channel select from 1 to 128 ."};
inline const Bilingual kMsgReadDone{"从对讲机中读取数据完毕 ！",
                                    "Complete reading the data from transceiver."};
inline const Bilingual kMsgWriteDone{"向对讲机写入可选参数完毕 ！",
                                     "Complete writing optional parameters to the transceiver."};
inline const Bilingual kMsgFail{"与对讲机联络失败 ！", "Fail connect with transceiver."};
inline const Bilingual kMsgFileLoaded{"参数从文件调入成功 ！",
                                      "Succeed fold the parameter from file."};
inline const Bilingual kMsgFileSaved{"参数保存完毕 ！", "Complete storing  parameter."};
// Followed by the file's name and why it failed.
inline const Bilingual kMsgFileLoadFail{"参数文件调入失败 ！\n",
                                        "Fail to load the parameter file.\n"};
inline const Bilingual kMsgFileSaveFail{"参数保存失败 ！\n", "Fail to store the parameter file.\n"};

// Progress label and status texts.
inline const Bilingual kTextConnecting{"正在与对讲机联络 ！", "Connecting with transceiver. "};
inline const Bilingual kTextReading{"正在读取 ", "Reading "};
inline const Bilingual kTextReadingEnd{" 数据块", " Data Block"};
inline const Bilingual kTextWriting{"正在写入  ", "Writing  "};
inline const Bilingual kTextWritingEnd{"  数据块", "  Data Block"};
inline const Bilingual kTextReadDone{"可选参数读出正常 ！", "Read optional parameters in gear. "};
inline const Bilingual kTextWriteDone{"可选参数写入完毕 ！",
                                      "Complete writing optional parameters "};
inline const Bilingual kTextSaved{"保存参数正常 ！", "Store  parameter in gear."};

}  // namespace j5::opt
