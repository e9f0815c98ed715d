#include "editors/adjust/adj_prompts.h"

#include <algorithm>
#include <array>

#include "shell/program.h"

namespace j5 {

namespace {

struct Entry {
  Adj_Msg msg;
  Bilingual text;
  Prompt_Title title;
};

const std::array<Entry, 9> kMessages = {{
    {Adj_Msg::Lower_Below_Min,
     {"下限频率不可小于该频段最低工作频率",
      "Receive frequency of lower limit can't less than the lowest of work frequency. "},
     Prompt_Title::Upper},
    {Adj_Msg::Lower_Above_Upper,
     {"下限频率不可大于该频段上限频率",
      "Receive frequency of lower limit can't more than receive frequency of upper limit."},
     Prompt_Title::Upper},
    {Adj_Msg::Upper_Above_Max,
     {"上限频率不可大于该频段最大工作频率",
      "Receive frequency of upper limit can't more than the highest of work frequency. "},
     Prompt_Title::Upper},
    {Adj_Msg::Upper_Below_Lower,
     {"上限频率不可小于该频段下限频率",
      "Receive frequency of lower limit can't more than receive frequency of upper limit."},
     Prompt_Title::Upper},
    {Adj_Msg::Load_Done,
     {"调整参数从文件调入成功 ！", "Succeed fold the optional parameters from file."},
     Prompt_Title::Upper},
    {Adj_Msg::Load_Failed,
     {"调整参数文件调入失败 ！", "Fail to load the adjust parameter file."},
     Prompt_Title::Upper},
    {Adj_Msg::Save_Done,
     {"调整参数保存完毕 ！", "Complete storing optional parameters."},
     Prompt_Title::Upper},
    {Adj_Msg::Save_Failed,
     {"调整参数保存失败 ！", "Fail to store the adjust parameter file."},
     Prompt_Title::Upper},
    {Adj_Msg::Unsendable_Row,
     {"调整参数含有 0 至 255 以外的数值，未向对讲机写入任何数据 ！ 行 ",
      "The adjustment table holds a value outside 0 to 255; nothing was written to the "
      "transceiver. Row "},
     Prompt_Title::Lower},
}};

const Entry& Find(Adj_Msg msg) {
  return *std::find_if(kMessages.begin(), kMessages.end(),
                       [msg](const Entry& e) { return e.msg == msg; });
}

}  // namespace

const Bilingual& Adj_Text(Adj_Msg msg) {
  return Find(msg).text;
}

Prompt_Title Adj_Title(Adj_Msg msg) {
  return Find(msg).title;
}

void Adj_Prompt(Program& program, Adj_Msg msg, const Bilingual& detail) {
  Prompt(program, Adj_Text(msg), detail, Adj_Title(msg));
}

void Adj_Range_Prompt(Program& program, int max) {
  program.platform.messageBox(" 输入数字范围为 0 - " + std::to_string(max) + " ！", "操作提示",
                              kit::MsgIcon::Information);
}

}  // namespace j5
