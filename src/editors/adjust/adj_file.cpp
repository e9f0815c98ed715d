// The Open and Save buttons, the timer that serves the file dialogs' requests, and the adjustment
// file itself.
#include "editors/adjust/adj_file.h"

#include <algorithm>

#include "editors/adjust/adj_prompts.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "platform/runtime.h"
#include "shell/file_dialogs.h"
#include "shell/program.h"

namespace j5 {

std::string Adj_File_Text(const AdjTable& table) {
  return rt::formatNumberRows(kAdjFileRows, kAdjFileCols,
                              [&](std::size_t r, std::size_t c) { return table(r, c); });
}

void frm_Adj_Txp::Command_open_Click() {
  if (Busy()) return Busy_Message();
  prog_.Form_open_adj.show();
}

void frm_Adj_Txp::Command_save_Click() {
  if (Busy()) return Busy_Message();
  prog_.Form_save_adj.show();
}

// A request raised while a transfer runs (a dialog opened before it started) waits for its end,
// restarts included: a load would change rows the write has yet to send, or be overwritten by
// the read.
void frm_Adj_Txp::Timer4_Timer() {
  if (Transfer_Running) return;
  if (data_.Open_Adj_Req) {
    data_.Open_Adj_Req = kFalse;
    Adj_File_Load();
  }
  if (data_.Save_Adj_Req) {
    data_.Save_Adj_Req = kFalse;
    Adj_File_Save();
  }
}

// The whole file is read before the table changes: a file that cannot be read or holds fewer
// than 256 good numbers is reported and leaves the table as it was.
void frm_Adj_Txp::Adj_File_Load() {
  const rt::NumberRead read = rt::readNumberFile(data_.File_Path, kAdjFileValues);
  if (!read.ok()) {
    return Adj_Prompt(
        prog_, Adj_Msg::Load_Failed,
        {"\n" + data_.File_Path + "\n" + read.error, "\n" + data_.File_Path + "\n" + read.error});
  }
  for (std::size_t r = 0; r < kAdjFileRows; ++r)
    std::copy_n(read.values.begin() + static_cast<std::ptrdiff_t>(r * kAdjFileCols), kAdjFileCols,
                data_.Adj_Value.row(r).begin());
  Show_Adj_Page();
  Adj_Prompt(prog_, Adj_Msg::Load_Done);
  ProgressBar1.setVisible(false);
  ProgressBar1.setValue(0);
  Label_tr_count.setCaption("");
}

void frm_Adj_Txp::Adj_File_Save() {
  std::string error;
  if (!rt::writeTextFileReplacing(data_.File_Path, Adj_File_Text(data_.Adj_Value), error))
    return Adj_Prompt(prog_, Adj_Msg::Save_Failed, {"\n" + error, "\n" + error});
  Adj_Prompt(prog_, Adj_Msg::Save_Done);
}

}  // namespace j5
