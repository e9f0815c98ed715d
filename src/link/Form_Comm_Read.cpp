#include "link/Form_Comm_Read.h"

#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

Form_Comm_Read::Form_Comm_Read(Program& program)
    : Transfer_Window(program, "Form_Comm_Read", &SharedData::Win_Comm_Read, Link_Setup{}) {
  Load = [this] { Form_Load(); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Cancel.Click = [this] { Command_Cancel_Click(); };
  Link.Block_Phase = [this] { Block_Phase(); };
  Link.Block_Step = [this] { Block_Step(); };
}

void Form_Comm_Read::Form_Load() {
  Load_Window(Command_read, "从对讲机读取数据", "Read Data From Radio", "读取", "Read");
}

void Form_Comm_Read::Command_read_Click() {
  if (Link.Link_Busy) {
    Busy_Message();
    return;
  }
  Read_Start();
  if (prog_.data.Port_Error == 0) Show_Connecting();
}

void Form_Comm_Read::Read_Start() {
  Start_Transfer(Block_Index);
}

void Form_Comm_Read::Request_Block(int address) {
  const SharedData& d = prog_.data;
  Link.Queue({Cmd_Read, address / 256 + d.Addr_High, address % 256 + d.Addr_Low, 0x40});
  Link.Start_Send();
}

void Form_Comm_Read::Block_Phase() {
  Block_Index = 2;
  Request_Block(0);
  Link.Discard_Input();
}

void Form_Comm_Read::Block_Step() {
  // The first reply comes alone; every later one behind the radio's ACK of our acknowledgement.
  const bool first = Link.Link_State == 3;
  const int length = first ? 68 : 69;
  if (Link.MSC.inBufferCount() < length) return;
  Link.Link_State = 4;
  // The whole row is cleared first: the first reply leaves column 0 alone, and a byte left there
  // from before would shift the block where Blocks_To_Image looks for the frame's start.
  auto& buf = prog_.data.Block_Buf;
  const auto row = static_cast<std::size_t>(Block_Index);
  buf.fill(row, row, 0, FrameStore::kCols - 1, 0);
  for (int col = first ? 1 : 0; col <= 68; ++col)
    buf(row, static_cast<std::size_t>(col)) = static_cast<std::int16_t>(Link.Take_One());
  Link.Discard_Input();
  // A reply that does not start where it should (a stray byte came before it) would lose its
  // last data bytes: it is not acknowledged, and the read ends in the time-out.
  if (Reply_Data_Column(row) != 5) return;
  Link.Timer2.setEnabled(false);
  Link.Send_Now(ACK);

  if (Block_Index > kBlocks) {
    Link.Stop_Timers();
    Link.Link_Busy = false;
    Link.Close_Port();
    Blocks_To_Image();
    Progress(100);
    Label_tr_count.setCaption(
        prog_.text("对讲机数据读出正常 ！", "Read Signal parameters in gear. "));
    prog_.platform.messageBox(
        prog_.text("从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."),
        prog_.text("操作提示", "Operate Prompt"), kit::MsgIcon::Exclamation);
    return;
  }
  Request_Block((Block_Index - 1) * 64);
  ++Block_Index;
  Progress(static_cast<int>(rt::Int(Block_Index / 97.0 * 100)));
  const std::string n = std::to_string(Block_Index);
  Label_tr_count.setCaption(prog_.chinese() ? "正在读取 " + n + " 数据块"
                                            : "Reading " + n + " Data Block");
}

std::size_t Form_Comm_Read::Reply_Data_Column(std::size_t row) const {
  for (std::size_t j = 0; j <= 5; ++j)
    if (prog_.data.Block_Buf(row, j) == Cmd_Data) return j + 4;
  return 4;
}

void Form_Comm_Read::Blocks_To_Image() {
  SharedData& d = prog_.data;
  std::size_t k = 0;
  for (std::size_t r = 2; r <= kBlocks + 1; ++r) {
    std::size_t p = Reply_Data_Column(r);
    for (int row = 0; row < 4; ++row, ++k)
      for (std::size_t c = 0; c < 16; ++c) d.Mem_Image(k, c) = d.Block_Buf(r, p++);
  }
  d.Mem_Image.fill(207, 207, 0, 15, kEmptyByte);
}

void Form_Comm_Read::Command_Cancel_Click() {
  if (Link.Link_Busy) {
    Close_Busy_Message();
    return;
  }
  Close_Window();
}

}  // namespace j5
