#include "link/Form_Comm_Write.h"

#include "data/defaults.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

namespace {

// What goes out of a row: its first byte alone for a short row, else all sixteen.
std::optional<std::array<std::uint8_t, 16>> Row_To_Send(const SharedData& d, int row) {
  if (!Short_Row(d, row)) return Image_Row_Bytes(d, row);
  std::array<std::uint8_t, 16> bytes{};
  bytes[0] = 0xFF;
  return bytes;
}

}  // namespace

bool Short_Row(const SharedData& d, int row) {
  // Row 0 opens the block phase and always goes out in full.
  return row != 0 && (row < 128 || row > 256) &&
         d.Mem_Image(static_cast<std::size_t>(row), 0) == 0xFF;
}

std::optional<int> First_Unsendable_Row(const SharedData& d) {
  for (const Row_Run& run : Row_Skip_List)
    for (int r = run.first; r <= run.last; ++r)
      if (!Row_To_Send(d, r)) return r;
  return std::nullopt;
}

Form_Comm_Write::Form_Comm_Write(Program& program)
    : Transfer_Window(program, "Form_Comm_Write", &SharedData::Win_Comm_Write, Whole_Write_Link()) {
  Load = [this] { Form_Load(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Command_Cancel.Click = [this] { Command_Cancel_Click(); };
}

void Form_Comm_Write::Form_Load() {
  Load_Window(Command_Write, "写数据到对讲机", "Write Data to Radio", "写入", "Write");
}

void Form_Comm_Write::Command_Write_Click() {
  if (Transfer.Busy_Refused()) return;
  Check_Work_Chann(prog_.data);
  Def_FM_Band_Text(prog_.data);
  // A loaded parameter file may hold values that are no byte; none of them may reach the radio.
  if (auto bad = First_Unsendable_Row(prog_.data)) {
    Unsendable_Row_Message(prog_, *bad, false);
    return;
  }
  Write_Start();
}

void Unsendable_Row_Message(Program& program, int row, bool started) {
  // Such a value can only come from a parameter file, so the file's line is named. Once rows
  // have gone out the radio is half written, and the message must not say otherwise.
  Prompt(program, Param_File_Line_Text(static_cast<std::size_t>(row)),
         started
             ? Bilingual{"含有 0 至 255 以外的数值，写入在此行之前停止，对讲机只写入了一部分 ！",
                         " holds a value outside 0 to 255; the write stopped before it, so "
                         "the transceiver is only partly written."}
             : Bilingual{"含有 0 至 255 以外的数值，未向对讲机写入任何数据 ！",
                         " holds a value outside 0 to 255; nothing was written to the "
                         "transceiver."});
}

void Form_Comm_Write::Write_Start() {
  Start_Transfer(Whole_Write_Plan());
}

std::optional<std::array<std::uint8_t, 16>> Form_Comm_Write::Link_Frame_Data(
    const Write_Step& step) {
  return Row_To_Send(prog_.data, step.source);
}

// The image changed under the running write (a file loaded meanwhile): the engine stopped rather
// than send a value that is no byte.
void Form_Comm_Write::Link_Stopped(const Write_Step& step) {
  Unsendable_Row_Message(prog_, step.source, true);
}

void Form_Comm_Write::Command_Cancel_Click() {
  prog_.data.Win_Comm_Write = kFalse;
  Cancel();
}

}  // namespace j5
