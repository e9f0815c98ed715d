#include "link/Form_Comm_Write.h"

#include "data/defaults.h"
#include "platform/runtime.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

namespace {

bool Row_Sendable(const SharedData& d, int row, bool shortRow) {
  const int cols = shortRow ? 1 : 16;
  for (int c = 0; c < cols; ++c) {
    const int v = d.Mem_Image(static_cast<std::size_t>(row), static_cast<std::size_t>(c));
    if (v < 0 || v > 255) return false;
  }
  return true;
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
      if (!Row_Sendable(d, r, Short_Row(d, r))) return r;
  return std::nullopt;
}

Form_Comm_Write::Form_Comm_Write(Program& program)
    : Transfer_Window(program, "Form_Comm_Write", &SharedData::Win_Comm_Write,
                      Link_Setup{.clear_output = true}) {
  Load = [this] { Form_Load(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Command_Cancel.Click = [this] { Command_Cancel_Click(); };
  Link.Block_Phase = [this] { Block_Phase(); };
  Link.Block_Step = [this] { Block_Step(); };
}

void Form_Comm_Write::Form_Load() {
  Load_Window(Command_Write, "写数据到对讲机", "Write Data to Radio", "写入", "Write");
}

void Form_Comm_Write::Command_Write_Click() {
  if (Link.Link_Busy) {
    Busy_Message();
    return;
  }
  Check_Work_Chann(prog_.data);
  Def_FM_Band_Text(prog_.data);
  // A loaded parameter file may hold values that are no byte; none of them may reach the radio.
  if (auto bad = First_Unsendable_Row(prog_.data)) {
    Unsendable_Message(*bad);
    return;
  }
  Write_Start();
  if (prog_.data.Port_Error == 0) Show_Connecting();
}

void Form_Comm_Write::Unsendable_Message(int row) {
  // Such a value can only come from a parameter file, so the file's line is named.
  Prompt(prog_, Param_File_Line_Text(static_cast<std::size_t>(row)),
         {"含有 0 至 255 以外的数值，未向对讲机写入任何数据 ！",
          " holds a value outside 0 to 255; nothing was written to the transceiver."});
}

void Form_Comm_Write::Write_Start() {
  Start_Transfer(Next_Row);
}

bool Form_Comm_Write::Send_Row(int row) {
  const SharedData& d = prog_.data;
  const bool shortRow = Short_Row(d, row);
  if (!Row_Sendable(d, row, shortRow)) return false;
  const int address = row * 16;
  Link.Tx_Frame[0] = Cmd_Data;
  Link.Tx_Frame[1] = static_cast<std::int16_t>(address / 256 + d.Addr_High);
  Link.Tx_Frame[2] = static_cast<std::int16_t>(address % 256 + d.Addr_Low);
  Link.Tx_Frame[3] = 0x10;
  for (std::size_t c = 0; c < 16; ++c)
    Link.Tx_Frame[4 + c] = d.Mem_Image(static_cast<std::size_t>(row), c);
  Link.Tx_Len = 20;
  if (shortRow) {
    Link.Tx_Frame[3] = 0x01;
    Link.Tx_Len = 5;
  }
  Link.Start_Send();
  return true;
}

void Form_Comm_Write::Block_Phase() {
  if (!Send_Row(0)) return Stop_Unsendable(0);
  Next_Row = 1;
}

// The image changed under the running write (a file loaded meanwhile): stop rather than send a
// value that is no byte.
void Form_Comm_Write::Stop_Unsendable(int row) {
  Link.Close_Port();
  Link.Stop_Timers();
  Link.Link_Busy = false;
  Unsendable_Message(row);
  Label_tr_count.setCaption(prog_.text("与对讲机通讯故障 ！", "Communication fault."));
}

void Form_Comm_Write::Block_Step() {
  const int b = Link.Take_One();
  if (b < 0) return;
  Link.Rx_Buf[0] = static_cast<std::uint8_t>(b);
  if (b != ACK || !Link.All_Sent) return;
  Link.Timer2.setEnabled(false);
  if (Next_Row > kLastRow) {
    Link.Close_Port();
    Link.Stop_Timers();
    Link.Link_Busy = false;
    prog_.platform.messageBox(
        prog_.text("向对讲机写入参数完毕 ！", "Complete writing parameters to the transceiver."),
        prog_.text("操作提示", "Operate Prompt"), kit::MsgIcon::Exclamation);
    Label_tr_count.setCaption(prog_.text("参数写入完毕 ！", "Complete writing parameters "));
    return;
  }
  Progress(static_cast<int>(rt::Int(Next_Row / 384.0 * 100)));
  const std::string n = std::to_string(Next_Row - 1);
  Label_tr_count.setCaption(prog_.chinese() ? "正在写入  " + n + "  数据块"
                                            : "Writing  " + n + "  Data Block");
  if (!Send_Row(Next_Row)) return Stop_Unsendable(Next_Row);
  for (std::size_t i = 0; i + 1 < Row_Skip_List.size(); ++i)
    if (Next_Row == Row_Skip_List[i].last) Next_Row = Row_Skip_List[i + 1].first - 1;
  ++Next_Row;
}

void Form_Comm_Write::Command_Cancel_Click() {
  prog_.data.Win_Comm_Write = kFalse;
  if (Link.Link_Busy) {
    Close_Busy_Message();
    return;
  }
  Close_Window();
}

}  // namespace j5
