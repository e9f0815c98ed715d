#pragma once
// The program's message boxes: every text exists in Chinese and English and is shown in the
// language of the moment, under "操作提示" and one of the two English titles the windows use.
// A window keeps its messages in a table of Bilingual entries and shows them with Prompt, so a
// message is written once and both languages stay side by side.

#include <string>

#include "platform/platform.h"

namespace j5 {

class Program;

struct Bilingual {
  std::string chn;
  std::string eng;
};

// The English title: most windows write "Operate prompt", some "Operate Prompt"; the tone windows'
// entry messages and the DTMF editor's code check "Operate Prompt" with a double-quote character
// after it; a few messages keep the Chinese title "操作提示" in both languages (Chinese).
enum class Prompt_Title { Lower, Upper, Upper_Quote, Chinese };

// Shows text in the current language under the prompt title; exclamation icon unless told.
void Prompt(Program& program, const Bilingual& text, Prompt_Title title = Prompt_Title::Lower,
            kit::MsgIcon icon = kit::MsgIcon::Exclamation);
// The same with detail appended to each language's text (a file name, a reason).
void Prompt(Program& program, const Bilingual& text, const Bilingual& detail,
            Prompt_Title title = Prompt_Title::Lower,
            kit::MsgIcon icon = kit::MsgIcon::Exclamation);

}  // namespace j5
