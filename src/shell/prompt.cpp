#include "shell/prompt.h"

#include "shell/program.h"

namespace j5 {

void Prompt(Program& program, const Bilingual& text, Prompt_Title title, kit::MsgIcon icon) {
  const char* english = title == Prompt_Title::Upper         ? "Operate Prompt"
                        : title == Prompt_Title::Upper_Quote ? "Operate Prompt\""
                                                             : "Operate prompt";
  program.platform.messageBox(program.text(text.chn, text.eng), program.text("操作提示", english),
                              icon);
}

void Prompt(Program& program, const Bilingual& text, const Bilingual& detail, Prompt_Title title,
            kit::MsgIcon icon) {
  Prompt(program, Bilingual{text.chn + detail.chn, text.eng + detail.eng}, title, icon);
}

}  // namespace j5
