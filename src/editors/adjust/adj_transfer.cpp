// Reading the adjustment table from the radio and writing it back, on the link engine: a read
// fetches the four blocks from 0x1F00 and the block at 0x1EC0 into Adj_Value rows 0..19; a write
// sends the tag frame to 0x0DF0, then rows 0..15. Both open with the full handshake and restart
// up to three times; the final failure shows only in status panel 2.
#include <algorithm>

#include "editors/adjust/adj_prompts.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "link/ident_frames.h"
#include "link/transfers.h"
#include "shell/program.h"

namespace j5 {

namespace {

// The Block_Buf row the reply of read step k is kept in, and where its data bytes begin.
constexpr int kFirstBlockRow = 2;
constexpr int kDataColumn = 5;
constexpr int kReadBlocks = 5;

}  // namespace

void frm_Adj_Txp::Command_read_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Transfer.Start(Adjust_Read_Plan());
}

// A table that holds a value that is no byte (it never should) is not written at all.
void frm_Adj_Txp::Command_Write_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Write_Plan plan = Adjust_Write_Plan();
  if (const auto bad = Transfer.Take_Rows(plan)) return Unsendable_Message(*bad);
  Transfer.Start(std::move(plan));
}

void frm_Adj_Txp::Unsendable_Message(int row) {
  const std::string n = std::to_string(row);
  Adj_Prompt(prog_, Adj_Msg::Unsendable_Row, {n, n});
}

void frm_Adj_Txp::Link_Identified(const Ident_Frame& frame) {
  Store_Ident14(prog_, frame);
}

void frm_Adj_Txp::Link_Block_Stored(int step, std::uint16_t, std::span<const std::uint8_t> data) {
  const int row = kFirstBlockRow + step;
  for (std::size_t i = 0; i < data.size() && i < 64; ++i)
    data_.Block_Buf(static_cast<std::size_t>(row), kDataColumn + i) = data[i];
}

std::optional<std::array<std::uint8_t, 16>> frm_Adj_Txp::Link_Frame_Data(const Write_Step& step) {
  if (step.source == Adj_Tag_Source) return Adj_Tag_Frame_Data;
  return Row_Bytes(data_.Adj_Value, step.source);
}

// The completion texts follow from the transfer link once the table is in place.
void frm_Adj_Txp::Link_Done() {
  if (!Transfer.Writing()) Blocks_To_Adj();
}

// The 320 data bytes of the five replies fill rows 0..19 in the order read: rows 0..15 from
// 0x1F00, rows 16..19 (the version text among them) from 0x1EC0.
void frm_Adj_Txp::Blocks_To_Adj() {
  int k = 0;
  for (int r = kFirstBlockRow; r < kFirstBlockRow + kReadBlocks; ++r)
    for (int c = kDataColumn; c < kDataColumn + 64; ++c, ++k)
      data_.Adj_Value(static_cast<std::size_t>(k / 16), static_cast<std::size_t>(k % 16)) =
          data_.Block_Buf(static_cast<std::size_t>(r), static_cast<std::size_t>(c));
  Show_Adj_Page();
}

}  // namespace j5
