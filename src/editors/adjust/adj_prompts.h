#pragma once
// Every message of the adjustment window, in one table: the range messages of the value boxes
// are Chinese in both languages and carry the information icon under "操作提示"; every other
// message follows the program's language.

#include <string>

#include "shell/prompt.h"

namespace j5 {

class Program;

enum class Adj_Msg {
  Lower_Below_Min,
  Lower_Above_Upper,
  Upper_Above_Max,
  Upper_Below_Lower,
  Load_Done,
  Load_Failed,
  Save_Done,
  Save_Failed,
  Unsendable_Row,
};

// The message's text, and the message shown under its title.
const Bilingual& Adj_Text(Adj_Msg msg);
Prompt_Title Adj_Title(Adj_Msg msg);
void Adj_Prompt(Program& program, Adj_Msg msg, const Bilingual& detail = {});

// " 输入数字范围为 0 - <max> ！", shown for a refused value box entry.
void Adj_Range_Prompt(Program& program, int max);

}  // namespace j5
