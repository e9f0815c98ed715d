#include "editors/option_copies/copy_file.h"

#include "editors/option_copies/copy_messages.h"
#include "platform/runtime.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

namespace copy {

namespace {

constexpr rt::NumberRange kBytes{0, 255};

}  // namespace

std::string Option_File_Text(const CopyImage& image) {
  return rt::formatNumberRows(kFileRows, 16,
                              [&](std::size_t r, std::size_t c) { return image(r, c); });
}

rt::NumberRead Read_Option_Text(std::string_view text) {
  return rt::readNumbers(text, kFileValues, kBytes);
}

rt::NumberRead Read_Option_File(const std::string& path) {
  return rt::readNumberFile(path, kFileValues, kBytes);
}

void Store_Option_Values(CopyImage& image, const std::vector<std::int16_t>& values) {
  for (std::size_t i = 0; i < kFileValues && i < values.size(); ++i)
    image(i / 16, i % 16) = values[i];
}

}  // namespace copy

void Option_Copy_Window::Timer4_Timer() {
  // A request raised just before an exchange began, this window's or another's, waits for its
  // end (restarts included), as the dialogs refuse a confirm meanwhile.
  if (prog_.Exchange_Running()) return;
  if (data_.Open_File_Req != 0) {
    data_.Open_File_Req = kFalse;
    Load_Option_File();
  }
  if (data_.Save_File_Req != 0) {
    data_.Save_File_Req = kFalse;
    Save_Option_File();
  }
}

void Option_Copy_Window::Load_Option_File() {
  const rt::NumberRead read = copy::Read_Option_File(data_.File_Path);
  if (!read.ok()) {
    Prompt_File_Problem(prog_, copy::kMsgFileLoadFail, data_.File_Path, read.problem,
                        Prompt_Title::Upper);
    return;
  }
  copy::Store_Option_Values(Copy_Image, read.values);
  // The records come from the rows the file brought (the packed layout); rows 10 to 13 may still
  // hold an older read, whose scramblers would clear the compander the file sets.
  Show_Copy_Options(kPackedVfoRow);
  Prompt(prog_, copy::kMsgFileLoaded, Prompt_Title::Upper);
  Transfer.Progress.Clear();
}

void Option_Copy_Window::Save_Option_File() {
  Pack_Options();
  if (const auto problem = rt::saveFile(data_.File_Path, copy::Option_File_Text(Copy_Image))) {
    Prompt_File_Problem(prog_, copy::kMsgFileSaveFail, data_.File_Path, problem,
                        Prompt_Title::Upper);
    return;
  }
  Prompt(prog_, copy::kMsgFileSaved, Prompt_Title::Upper);
}

}  // namespace j5
