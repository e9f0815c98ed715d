#include "link/Form_Comm_Read.h"

#include <algorithm>

#include "data/image_rows.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

Form_Comm_Read::Form_Comm_Read(Program& program)
    : Transfer_Window(program, "Form_Comm_Read", &Shared_Data::Win_Comm_Read, Whole_Read_Link()) {
  Load = [this] { Form_Load(); };
  Command_read.Click = [this] { Command_read_Click(); };
  Command_Cancel.Click = [this] { Cancel(); };
}

void Form_Comm_Read::Form_Load() {
  Load_Window(Command_read, "从对讲机读取数据", "Read Data From Radio", "读取", "Read");
}

void Form_Comm_Read::Command_read_Click() {
  if (Transfer.Busy_Refused() || Transfer.Any_Pending_Refused()) return;
  Read_Start();
}

void Form_Comm_Read::Read_Start() {
  Read_Plan plan = Whole_Read_Plan();
  for (std::size_t k = 0; k < plan.steps.size(); ++k) Block_Dest[k] = plan.steps[k].dest;
  Start_Transfer(std::move(plan));
}

void Form_Comm_Read::Link_Block_Stored(int step, std::uint16_t,
                                       std::span<const std::uint8_t> data) {
  std::copy_n(data.begin(), 64, Blocks[static_cast<std::size_t>(step)].begin());
}

void Form_Comm_Read::Link_Done() {
  Blocks_To_Image();
}

void Form_Comm_Read::Blocks_To_Image() {
  Shared_Data& d = prog_.data;
  for (std::size_t k = 0; k < Blocks.size(); ++k)
    Bytes_To_Rows(d.Mem_Image, Block_Dest[k], Blocks[k]);
  d.Mem_Image.fill(Dtmf_Block.last, Dtmf_Block.last, 0, 15, kEmptyByte);
}

}  // namespace j5
