// The optional features window's file service: image rows 0 to 495 in the
// parameter file's layout, loaded and saved on the file dialogs' requests.
// Its timer has no interval, so in the program as built nothing runs it.
#include <vector>

#include "editors/options/frm_option.h"
#include "editors/options/option_messages.h"
#include "platform/number_file.h"
#include "platform/runtime.h"
#include "shell/file_dialogs.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

namespace {

constexpr std::size_t kFileRows = kImageLastUsedRow + 1;
constexpr std::size_t kFileCols = 16;

}  // namespace

void frm_option::Timer4_Timer() {
  // A request raised just before an exchange began waits for its end, as the dialogs refuse a
  // confirm meanwhile.
  if (prog_.Exchange_Running()) return;
  if (data_.Open_File_Req) {
    data_.Open_File_Req = kFalse;
    Load_Param_File();
  }
  if (data_.Save_File_Req) {
    data_.Save_File_Req = kFalse;
    Save_Param_File();
  }
}

void frm_option::Load_Param_File() {
  // The whole file is read before the image changes, so a bad file leaves
  // everything as it was.
  const rt::NumberRead read = rt::readNumberFile(data_.File_Path, kFileRows * kFileCols);
  if (!read.ok()) {
    Prompt_File_Problem(prog_, opt::kMsgFileLoadFail, data_.File_Path, read.problem);
    return;
  }
  for (std::size_t r = 0; r < kFileRows; ++r)
    for (std::size_t c = 0; c < kFileCols; ++c)
      data_.Mem_Image(r, c) = read.values[r * kFileCols + c];
  Show_Options();
  Prompt(prog_, opt::kMsgFileLoaded, Prompt_Title::Lower);
  Progress.Clear();
}

void frm_option::Save_Param_File() {
  const std::string text = rt::formatNumberRows(
      kFileRows, kFileCols, [this](std::size_t r, std::size_t c) { return data_.Mem_Image(r, c); });
  if (const auto problem = rt::saveFile(data_.File_Path, text)) {
    Prompt_File_Problem(prog_, opt::kMsgFileSaveFail, data_.File_Path, problem);
    return;
  }
  Progress.Label(opt::kTextSaved);
  Prompt(prog_, opt::kMsgFileSaved, Prompt_Title::Lower);
}

void frm_option::Open_Menu_File() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_open_menu.show();
}

void frm_option::Save_Menu_File() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_save_menu.show();
}

}  // namespace j5
