#include "shell/prompt.h"

#include "shell/program.h"

namespace j5 {

void Prompt(Program& program, const Bilingual& text, Prompt_Title title, kit::MsgIcon icon) {
  const char* eng = "Operate prompt";
  switch (title) {
    case Prompt_Title::Lower:
      break;
    case Prompt_Title::Upper:
      eng = "Operate Prompt";
      break;
    case Prompt_Title::Upper_Quote:
      eng = "Operate Prompt\"";
      break;
    case Prompt_Title::Chinese:
      eng = "操作提示";
      break;
  }
  program.platform.messageBox(program.Text(text.chn, text.eng), program.Text("操作提示", eng),
                              icon);
}

void Prompt(Program& program, const Bilingual& text, const Bilingual& detail, Prompt_Title title,
            kit::MsgIcon icon) {
  Prompt(program, Bilingual{text.chn + detail.chn, text.eng + detail.eng}, title, icon);
}

}  // namespace j5
