#include "link/Form_Comm_Read.h"

#include <algorithm>

#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

Form_Comm_Read::Form_Comm_Read(Program& program)
    : Transfer_Window(program, "Form_Comm_Read", &SharedData::Win_Comm_Read, Whole_Read_Link()) {
  Load = [this] { Form_Load(); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Cancel.Click = [this] { Cancel(); };
}

void Form_Comm_Read::Form_Load() {
  Load_Window(Command_read, "从对讲机读取数据", "Read Data From Radio", "读取", "Read");
}

void Form_Comm_Read::Command_read_Click() {
  if (Link.Link_Busy()) {
    Progress.Busy();
    return;
  }
  Read_Start();
  if (prog_.data.Port_Error == 0) Show_Connecting();
}

void Form_Comm_Read::Read_Start() {
  Start_Transfer(Whole_Read_Plan());
}

void Form_Comm_Read::Link_Block_Stored(int step, std::span<const std::uint8_t> data) {
  std::copy_n(data.begin(), 64, Blocks[static_cast<std::size_t>(step)].begin());
}

void Form_Comm_Read::Link_Progress(const Progress_Mark& mark) {
  Progress.Reading(mark);
}

void Form_Comm_Read::Link_Done() {
  Blocks_To_Image();
  Progress.Read_Done();
}

void Form_Comm_Read::Blocks_To_Image() {
  SharedData& d = prog_.data;
  for (std::size_t k = 0; k < Blocks.size(); ++k)
    for (std::size_t i = 0; i < 64; ++i) d.Mem_Image(4 * k + i / 16, i % 16) = Blocks[k][i];
  d.Mem_Image.fill(207, 207, 0, 15, kEmptyByte);
}

}  // namespace j5
