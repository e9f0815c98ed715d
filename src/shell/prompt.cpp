#include "shell/prompt.h"

#include "shell/program.h"

namespace j5 {

void Prompt(Program& program, const Bilingual& text, Prompt_Title title, kit::MsgIcon icon) {
  program.platform.messageBox(
      program.text(text.chn, text.eng),
      program.text("操作提示", title == Prompt_Title::Lower         ? "Operate prompt"
                               : title == Prompt_Title::Upper ? "Operate Prompt"
                                                              : "Operate Prompt\""),
      icon);
}

void Prompt(Program& program, const Bilingual& text, const Bilingual& detail, Prompt_Title title,
            kit::MsgIcon icon) {
  Prompt(program, Bilingual{text.chn + detail.chn, text.eng + detail.eng}, title, icon);
}

}  // namespace j5
