// The window's own transfer of the DTMF record with the radio: a read of radio 0x0B00..0x0CBF
// into image rows 176..203, shown at once, and a write of rows 176..204. The link engine runs the
// exchange and the transfer piece shows its texts; the window puts the blocks in place and says
// what each frame carries.
#include <algorithm>

#include "editors/dtmf/frm_dtmf.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

void frm_dtmf::Command_read_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Start_Dtmf_Read();
}

void frm_dtmf::Command_Write_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Start_Dtmf_Write();
}

void frm_dtmf::Start_Dtmf_Read() {
  Transfer.Start(Dtmf_Read_Plan());
}

void frm_dtmf::Start_Dtmf_Write() {
  // A value that is no byte (from a hand-made parameter file) must not reach the radio, nor may
  // the write stop half-way for it.
  Write_Plan plan = Dtmf_Write_Plan();
  if (Transfer.Rows_Refused(plan)) return;
  Transfer.Start(std::move(plan));
}

void frm_dtmf::Link_Block_Stored(int step, std::uint16_t, std::span<const std::uint8_t> data) {
  std::copy_n(data.begin(), 64, Reply_Blocks.at(static_cast<std::size_t>(step)).begin());
}

std::optional<std::array<std::uint8_t, 16>> frm_dtmf::Link_Frame_Data(const Write_Step& step) {
  return Image_Row_Bytes(data_, step.source);
}

// Before the completion texts: a read's blocks are in the image and shown first.
void frm_dtmf::Link_Done() {
  if (!Transfer.Writing()) Load_Dtmf_Reply();
}

// Each block fills four image rows; the engine passed on only replies whose header checked out.
void frm_dtmf::Load_Dtmf_Reply() {
  for (std::size_t n = 0; n < Reply_Blocks.size(); ++n)
    Bytes_To_Rows(data_.Mem_Image, Dtmf_Block.first + kBlockRows * static_cast<int>(n),
                  Reply_Blocks[n]);
  Show_Dtmf();
}

}  // namespace j5
