// The Open and Save buttons, the timer that serves the file dialogs' requests, and the adjustment
// file itself.
#include "editors/adjust/adj_file.h"

#include <algorithm>

#include "editors/adjust/adj_prompts.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "platform/runtime.h"
#include "shell/file_dialogs.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

std::string Adj_File_Text(const AdjTable& table) {
  return rt::formatNumberRows(kAdjFileRows, kAdjFileCols,
                              [&](std::size_t r, std::size_t c) { return table(r, c); });
}

rt::NumberRead Read_Adj_File(const std::string& path) {
  return rt::readNumberFile(path, kAdjFileValues, {0, 255});
}

void frm_Adj_Txp::Command_open_Click() {
  if (Busy()) return Busy_Message();
  prog_.Form_open_adj.show();
}

void frm_Adj_Txp::Command_save_Click() {
  if (Busy()) return Busy_Message();
  prog_.Form_save_adj.show();
}

// A request raised just before an exchange began, this window's or another's, waits for its end
// (restarts included), as the dialogs refuse a confirm meanwhile.
void frm_Adj_Txp::Timer4_Timer() {
  if (prog_.Exchange_Running()) return;
  if (data_.Open_Adj_Req) {
    data_.Open_Adj_Req = kFalse;
    Adj_File_Load();
  }
  if (data_.Save_Adj_Req) {
    data_.Save_Adj_Req = kFalse;
    Adj_File_Save();
  }
}

// The whole file is read before the table changes: a file that cannot be read or does not hold
// 256 bytes is reported and leaves the table as it was.
void frm_Adj_Txp::Adj_File_Load() {
  const rt::NumberRead read = Read_Adj_File(data_.File_Path);
  if (!read.ok())
    return Prompt_File_Problem(prog_, Adj_Text(Adj_Msg::Load_Failed), data_.File_Path, read.problem,
                               Adj_Title(Adj_Msg::Load_Failed));
  for (std::size_t i = 0; i < kAdjFileValues; ++i)
    data_.Adj_Value(i / kAdjFileCols, i % kAdjFileCols) = read.values[i];
  Show_Adj_Page();
  Adj_Prompt(prog_, Adj_Msg::Load_Done);
  Progress.Clear();
}

void frm_Adj_Txp::Adj_File_Save() {
  if (const auto problem = rt::saveFile(data_.File_Path, Adj_File_Text(data_.Adj_Value)))
    return Prompt_File_Problem(prog_, Adj_Text(Adj_Msg::Save_Failed), data_.File_Path, problem,
                               Adj_Title(Adj_Msg::Save_Failed));
  Adj_Prompt(prog_, Adj_Msg::Save_Done);
}

}  // namespace j5
