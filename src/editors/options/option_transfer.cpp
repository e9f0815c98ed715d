// The optional features window's own transfer of the radio's option area,
// behind its Read and Write buttons, which are not visible. The window's
// Transfer_Link runs the exchange and shows its texts; the window puts the
// blocks in place and says what each frame carries.
#include <algorithm>

#include "data/defaults.h"
#include "editors/options/frm_option.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

void frm_option::Command_read_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Transfer.Start(Option_Read_Plan());
}

// The work-channel row goes out as the whole write sends it: naming
// programmed channels (right after start-up it is erased, and the radio's
// work channels would become 255). A value that is no byte (from a hand-made
// parameter file) must not reach the radio, nor may the write stop half-way
// for it.
void frm_option::Command_Write_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Check_Work_Chann(data_);
  Write_Plan plan = Option_Write_Plan();
  if (Transfer.Rows_Refused(plan)) return;
  Transfer.Start(std::move(plan));
}

void frm_option::Link_Block_Stored(int step, std::uint16_t, std::span<const std::uint8_t> data) {
  auto& block = Blocks.at(static_cast<std::size_t>(step));
  std::copy_n(data.begin(), std::min(data.size(), block.size()), block.begin());
}

std::optional<std::array<std::uint8_t, 16>> frm_option::Link_Frame_Data(const Write_Step& step) {
  return Image_Row_Bytes(data_, step.source);
}

// A complete read replaces the option area's rows up to both frequency-mode
// records (the option block among them) and shows them, before the
// completion texts; a read that failed on the way leaves the image as it was.
void frm_option::Link_Done() {
  if (Transfer.Writing()) return;
  for (std::size_t k = 0; k < Blocks.size(); ++k)
    Bytes_To_Rows(data_.Mem_Image, Option_Area.first + kBlockRows * static_cast<int>(k), Blocks[k]);
  Show_Options();
}

}  // namespace j5
