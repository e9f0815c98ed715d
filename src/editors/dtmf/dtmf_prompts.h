#pragma once
// The DTMF editor's own messages, in both languages: the code check. Its transfer's messages are
// the texts of its link description (link/transfers.h). Each text is spelt exactly as the window
// shows it, blanks and mixed punctuation included.

#include "shell/prompt.h"

namespace j5::dtmf_prompt {

// A code box's check when it loses the focus.
inline const Bilingual Too_Long{"码组位数最大为 5 位 ！", "Group Digits Max 5 Bits."};
inline const Bilingual Bad_Char{"码组字符只能是 0 - 9 或 * # A B C D  ！",
                                "Groupdigits only by 0 to 9 and* # A B C D."};
// An empty code box keeps the focus when the user tries to leave it; Close leaves it all the same
// and the box gets back the code it held.
inline const Bilingual Empty{
    "码组不能为空，请输入 3 - 5 位码，或按“关闭”放弃修改 ！",
    "The group can not be empty: enter 3 - 5 digits, or press Close to keep the old one."};
inline const Bilingual Too_Short{"该码组位数的有效范围为 3 - 5 位 ！",
                                 " The Group Digits range is 3 - 5 Bits."};

}  // namespace j5::dtmf_prompt
