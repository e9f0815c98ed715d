// The channel editor's own transfer of the channel memory with the radio (its buttons are never
// shown), and its channel file. The read fetches channel records and name rows as pairs of 64-byte
// blocks; the write sends each channel's record and then its name row.
#include <algorithm>

#include "editors/channels/frm_chann.h"
#include "link/transfers.h"
#include "platform/number_file.h"
#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/file_dialogs.h"
#include "shell/file_problem.h"
#include "shell/program.h"

namespace j5 {

namespace {

const Bilingual kFileLoaded{"参数从文件调入成功 ！", "Succeed fold the parameter from file."};
const Bilingual kFileLoadFailed{"参数文件调入失败 ！", "Fail to load the parameter file."};
const Bilingual kStoring{"正在保存参数。。。", "Storing parameter parameter..."};
const Bilingual kStored{"保存参数正常 ！", "Store  parameter in gear."};
const Bilingual kFileSaved{"参数保存完毕 ！", "Complete storing  parameter."};
const Bilingual kFileSaveFailed{"参数保存失败 ！", "Fail to store the parameter file."};

// Where a stored reply's data begins: four bytes after its Cmd_Data among the first six bytes, or
// at byte 4 without one.
template <class Store>
std::size_t Data_Start(const Store& store, std::size_t row) {
  for (std::size_t i = 0; i <= 5; ++i)
    if (store(row, i) == Cmd_Data) return i + 4;
  return 4;
}

}  // namespace

// ---- Starting ------------------------------------------------------------------------------

void frm_chann::Command_read_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Chann_Last = Shown_Channels();
  Block_Count = static_cast<int>(rt::Int(Chann_Last / 4.0 + 0.9)) + 1;
  data_.Name_Phase = kFalse;
  Transfer.Start(Channel_Read_Plan(Chann_Last));
}

void frm_chann::Command_Write_Click() {
  if (Transfer.Busy_Refused() || Transfer.Pending_Refused()) return;
  Chann_Last = Shown_Channels();
  // The channels go out as they stand now: an edit, the defaults or a file while the write runs
  // reach the next write, not this one.
  Write_Plan plan = Channel_Write_Plan(Chann_Last);
  if (Transfer.Rows_Refused(plan)) return;
  data_.Name_Phase = kFalse;
  Transfer.Start(std::move(plan));
}

// ---- What the link reports -------------------------------------------------------------------

void frm_chann::Link_Connected() {
  data_.Name_Phase = kFalse;
}

// The reply as the radio sent it: channel halves to Block_Buf row p + 1, name halves to
// Name_Block_Buf row p + 2 (p the pair).
void frm_chann::Link_Block_Stored(int step, std::uint16_t address,
                                  std::span<const std::uint8_t> data) {
  const int pair = step / 2;
  const bool name = step % 2 == 1;
  if (name)
    Store_Reply_Row(data_.Name_Block_Buf, pair + 2, address, data);
  else
    Store_Reply_Row(data_.Block_Buf, pair + 1, address, data);
  data_.Name_Phase = name ? kFalse : kTrue;
}

// A row that goes out short needs only its first byte.
std::optional<std::array<std::uint8_t, 16>> frm_chann::Link_Frame_Data(const Write_Step& step) {
  if (step.may_shorten && data_.Mem_Image(static_cast<std::size_t>(step.source), 0) == 0xFF) {
    std::array<std::uint8_t, 16> bytes{};
    bytes[0] = 0xFF;
    return bytes;
  }
  return Image_Row_Bytes(data_, step.source);
}

// The replies go into the image before the completion is shown.
void frm_chann::Link_Done() {
  if (!Transfer.Writing()) Blocks_To_Channels();
}

// The read's replies into the image, only once all of them have come: channel halves into the
// records, name halves into the name rows, four channels a reply.
void frm_chann::Blocks_To_Channels() {
  const auto total = static_cast<std::size_t>(std::min(Chann_Last, kMaxChannels));
  auto copy = [&](const auto& store, std::size_t firstRow, std::size_t imageRow) {
    for (std::size_t c = 0; c < total; ++c) {
      const std::size_t row = firstRow + c / 4;
      const std::size_t from = Data_Start(store, row) + (c % 4) * 16;
      for (std::size_t k = 0; k < 16; ++k) data_.Mem_Image(imageRow + c, k) = store(row, from + k);
    }
  };
  copy(data_.Block_Buf, 1, Channel_Record.first);
  copy(data_.Name_Block_Buf, 2, Channel_Name_Row.first);
  // An edit begun on the channels as they were has nothing left to commit.
  Drop_Pending_Edit();
  // The count may have changed in another window while the read ran, and the grid with it when
  // the user came back: the grid is built again for the count as it stands now.
  Rebuild_Grid();
}

// ---- The second name decoder -------------------------------------------------------------

namespace {

// A name in the transfer's own character code: digits, "A" to "U" from 17 on, other codes as
// themselves, "+" and "-".
std::string Name_From_Frame(std::span<const std::int16_t> six) {
  std::string text;
  if (six[0] == 0xFF) return text;
  for (std::int16_t b : six) {
    if (b >= 0 && b <= 9)
      text += static_cast<char>('0' + b);
    else if (b >= 17 && b <= 37)
      text += static_cast<char>(b + 48);
    else if (b >= 48 && b <= 126)
      text += static_cast<char>(b);
    else if (b >= 127 && b <= 250)
      text += kit::utf8::encode(b);
    else if (b == 251)
      text += '+';
    else if (b == 253)
      text += '-';
  }
  return text;
}

}  // namespace

void frm_chann::Decode_Name_Frames() {
  const int count = Block_Count + 1;
  for (int i = 2; i <= count && i < static_cast<int>(NameFrameStore::kRows); ++i) {
    const auto row = static_cast<std::size_t>(i);
    const int h = data_.Name_Block_Buf(row, 2) - 0x10;
    const int l = data_.Name_Block_Buf(row, 3);
    if (h < 0 || h > 31) break;
    const int c = static_cast<int>(rt::CInt(h * 16 + l / 16.0 + 1));
    const int names = i == count ? 1 : 4;
    for (int k = 0; k < names; ++k) Decode_Name_Frame(i, c + k, 16 * k);
  }
}

// The name goes into the grid's name column, and only into rows the grid has.
bool frm_chann::Decode_Name_Frame(int frameRow, int gridRow, int offset) {
  if (gridRow < 1 || gridRow > Shown_Channels()) return false;
  std::array<std::int16_t, 6> six{};
  for (std::size_t j = 0; j < six.size(); ++j)
    six[j] = data_.Name_Block_Buf(static_cast<std::size_t>(frameRow),
                                  5 + static_cast<std::size_t>(offset) + j);
  Set_Cell(gridRow, kColName, Name_From_Frame(six));
  return true;
}

// ---- Channel files ---------------------------------------------------------------------------

std::vector<Bilingual> frm_chann::File_Label_Texts() {
  return {kStoring, kStored};
}

void frm_chann::Poll_File_Req() {
  // A request raised just before an exchange began waits for its end, as the dialogs refuse a
  // confirm meanwhile.
  if (prog_.Exchange_Running()) return;
  if (data_.Open_Adj_Req != 0) {
    data_.Open_Adj_Req = kFalse;
    Load_Chann_File();
  }
  if (data_.Save_Adj_Req != 0) {
    data_.Save_Adj_Req = kFalse;
    Save_Chann_File();
  }
}

void frm_chann::Save_Chann_File() {
  Transfer.Progress.Label(kStoring);
  const rt::NumberLines lines = rt::tableLines(
      kChannFileRows, 16, [&](std::size_t r, std::size_t c) { return data_.Mem_Image(r, c); });
  if (const auto problem = rt::saveNumberLines(data_.File_Path, lines)) {
    Transfer.Progress.Clear();
    Prompt_File_Problem(prog_, kFileSaveFailed, data_.File_Path, problem);
    return;
  }
  Transfer.Progress.Label(kStored);
  Prompt(prog_, kFileSaved);
  Transfer.Progress.Clear();
}

// The whole file is read before the image changes: a file that is short, holds a bad number or
// is no plain file is refused with its reason and changes nothing.
void frm_chann::Load_Chann_File() {
  const rt::NumberRead read = rt::readNumberFile(data_.File_Path, kChannFileReadRows * 16);
  if (!read.ok()) {
    Prompt_File_Problem(prog_, kFileLoadFailed, data_.File_Path, read.problem);
    return;
  }
  Drop_Pending_Edit();
  for (std::size_t i = 0; i < read.values.size(); ++i)
    data_.Mem_Image(i / 16, i % 16) = read.values[i];
  Rebuild_Grid();
  Prompt(prog_, kFileLoaded);
  Transfer.Progress.Clear();
}

void frm_chann::Show_Open_Chann() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_open_chann.show();
}

void frm_chann::Show_Save_Chann() {
  if (Transfer.Busy_Refused()) return;
  prog_.Form_save_chann.show();
}

}  // namespace j5
