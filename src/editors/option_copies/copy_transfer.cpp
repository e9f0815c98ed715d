// The copies' transfer: the option block and the two frequency-mode records, read into the
// image and shown, or packed and written.
#include <algorithm>

#include "data/image_rows.h"
#include "editors/option_copies/option_copy_window.h"
#include "link/ident_frames.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

void Option_Copy_Window::Command_read_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Read_Rows = CopyImage{};
  Transfer.Start(Option_Copy_Read_Plan());
}

void Option_Copy_Window::Command_Write_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  // Packed once per press: a retry sends the rows as this packing left them.
  Pack_Options();
  Transfer.Start(Option_Copy_Write_Plan());
}

void Option_Copy_Window::Link_Identified(const Ident_Frame& frame) {
  Store_Ident8_Dec(prog_, frame);
}

void Option_Copy_Window::Link_Block_Stored(int step, std::uint16_t address,
                                           std::span<const std::uint8_t> data) {
  Store_Reply_Row(data_.Block_Buf, step + 2, address, data);
  const int dest = Option_Copy_Read_Plan().steps[static_cast<std::size_t>(step)].dest;
  if (dest < 0) return;
  Bytes_To_Rows(Read_Rows, dest, data.first(std::min<std::size_t>(data.size(), 64)));
}

std::optional<std::array<std::uint8_t, 16>> Option_Copy_Window::Link_Frame_Data(
    const Write_Step& step) {
  return Row_Bytes(Copy_Image, step.source);
}

// A read changes the image only once every reply has come, and then all sixteen rows.
void Option_Copy_Window::Link_Done() {
  if (Transfer.Writing()) return;
  Copy_Image = Read_Rows;
  Read_Base = CopyImage{};
  for (std::size_t r = 0; r < 4; ++r)
    for (std::size_t c = 0; c < 16; ++c) Read_Base(r, c) = Read_Rows(r, c);
  Place_Records(Read_Base, Read_Rows, kReadVfoRow);
  Show_Copy_Options();
}

}  // namespace j5
