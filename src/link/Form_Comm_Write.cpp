#include "link/Form_Comm_Write.h"

#include "data/defaults.h"
#include "shell/program.h"

namespace j5 {

namespace {

// What goes out of a row: its first byte alone for a short row, else all sixteen.
std::optional<std::array<std::uint8_t, 16>> Row_To_Send(const Shared_Data& d, int row) {
  if (!Short_Row(d, row)) return Image_Row_Bytes(d, row);
  std::array<std::uint8_t, 16> bytes{};
  bytes[0] = 0xFF;
  return bytes;
}

}  // namespace

bool Short_Row(const Shared_Data& d, int row) {
  return Whole_Write_May_Shorten(row) && d.Mem_Image(static_cast<std::size_t>(row), 0) == 0xFF;
}

Form_Comm_Write::Form_Comm_Write(Program& program)
    : Transfer_Window(program, "Form_Comm_Write", &Shared_Data::Win_Comm_Write,
                      Whole_Write_Link()) {
  Load = [this] { Form_Load(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Command_Cancel.Click = [this] { Command_Cancel_Click(); };
}

void Form_Comm_Write::Form_Load() {
  Load_Window(Command_Write, "写数据到对讲机", "Write Data to Radio", "写入", "Write");
}

void Form_Comm_Write::Command_Write_Click() {
  if (Transfer.Busy_Refused() || Transfer.Any_Pending_Refused()) return;
  Check_Work_Chann(prog_.data);
  Def_FM_Band_Text(prog_.data);
  // The rows go out as they stand now, repaired: a file opened or an edit made while the write
  // runs reaches the next write, not this one. A loaded parameter file may hold values that are
  // no byte; none of them may reach the radio.
  Write_Plan plan = Whole_Write_Plan();
  if (Transfer.Rows_Refused(plan)) return;
  Write_Start(std::move(plan));
}

void Form_Comm_Write::Write_Start(Write_Plan plan) {
  Start_Transfer(std::move(plan));
}

std::optional<std::array<std::uint8_t, 16>> Form_Comm_Write::Link_Frame_Data(
    const Write_Step& step) {
  return Row_To_Send(prog_.data, step.source);
}

void Form_Comm_Write::Command_Cancel_Click() {
  prog_.data.Win_Comm_Write = kFalse;
  Cancel();
}

}  // namespace j5
