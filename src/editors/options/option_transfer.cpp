// The optional features window's own transfer of the radio's option area,
// behind its Read and Write buttons, which are not visible. The link engine
// runs the exchange; the window answers what it reports.
#include <algorithm>

#include "editors/options/frm_option.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

namespace {

constexpr int kFirstRow = 224;  // radio 0x0E00, where the read begins

}  // namespace

void frm_option::Command_read_Click() {
  Start_Option_Transfer(false);
}

void frm_option::Command_Write_Click() {
  Start_Option_Transfer(true);
}

void frm_option::Start_Option_Transfer(bool write) {
  if (Busy()) {
    Progress.Busy();
    return;
  }
  Write_Mode = write;
  Link.Start(Option_Link(),
             write ? Block_Plan{Option_Write_Plan()} : Block_Plan{Option_Read_Plan()});
  if (data_.Port_Error == 0) Progress.Connecting(true);
}

void frm_option::Link_Port_Error(bool) {
  Progress.Port_Error();
}

void frm_option::Link_Connected() {
  Progress.Connected();
}

void frm_option::Link_Block_Stored(int step, std::span<const std::uint8_t> data) {
  auto& block = Blocks.at(static_cast<std::size_t>(step));
  std::copy_n(data.begin(), std::min(data.size(), block.size()), block.begin());
}

std::optional<std::array<std::uint8_t, 16>> frm_option::Link_Frame_Data(const Write_Step& step) {
  return Image_Row_Bytes(data_, step.source);
}

void frm_option::Link_Progress(const Progress_Mark& mark) {
  if (Write_Mode) {
    Progress.Writing(mark);
  } else {
    Progress.Reading(mark);
  }
}

// A complete read replaces image rows 224 to 243 (the option block and both
// frequency-mode records among them) and shows them; a read that failed on
// the way leaves the image as it was.
void frm_option::Link_Done() {
  if (Write_Mode) {
    Progress.Write_Done();
    return;
  }
  for (std::size_t k = 0; k < Blocks.size(); ++k)
    for (std::size_t i = 0; i < 64; ++i)
      data_.Mem_Image(kFirstRow + 4 * k + i / 16, i % 16) = Blocks[k][i];
  Show_Options();
  Progress.Read_Done();
}

void frm_option::Link_Failed() {
  Progress.Failed();
}

// A row holding a value that is no byte (from a hand-made file) stops the
// write before anything of it reaches the radio.
void frm_option::Link_Stopped(const Write_Step& step) {
  const std::string n = std::to_string(step.source);
  Prompt(prog_,
         {"参数第 " + n + " 行含有 0 至 255 以外的数值，写入已停止 ！",
          "Row " + n + " of the parameters holds a value outside 0 to 255; writing stopped."});
}

}  // namespace j5
