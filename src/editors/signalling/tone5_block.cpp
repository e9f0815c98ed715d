// The five-tone block and the window's controls: a read's five pages from 0x2400 shown in the
// grids, lists and boxes; the whole block from 0x2000 built from them.
//
// The pages of a build are assembled one after another in the window's scratch page, which nothing
// clears: every page byte a build does not set keeps what the page before (or the last read) left
// there, and the radio receives those bytes as they are.
#include <algorithm>

#include "data/five_tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/sig_file.h"
#include "shell/program.h"

namespace j5 {

namespace {

constexpr int kStdSettingRow = 63;  // standard s at row 64 + s (grid row r at 63 + r)
constexpr int kEncodeRow = 80, kTranspondRow = 96, kDecodeRow = 112, kReplyRow = 128;

void Store_Columns(const std::vector<fields::Column>& columns, const kit::Grid& grid,
                   const fields::Cells& cells, int rowOffset) {
  for (int r = 1; r <= 15; ++r)
    for (const fields::Column& col : columns)
      col.store(cells, rowOffset + r - 1, grid.textMatrix(r, col.col));
}

void Show_Columns(const std::vector<fields::Column>& columns, kit::Grid& grid,
                  const fields::Cells& page) {
  for (int r = 1; r <= 15; ++r)
    for (const fields::Column& col : columns) col.show(grid, r, page, r - 1);
}

void Page_To_Stage(const PageBuffer& page, ToneStage& stage, int firstRow) {
  for (std::size_t r = 0; r < 16; ++r)
    for (std::size_t c = 0; c < 16; ++c)
      stage(static_cast<std::size_t>(firstRow) + r, c) = page(r, c);
}

std::int16_t Index_Of(const kit::ComboBox& box) {
  return static_cast<std::int16_t>(std::max(0, box.listIndex()));
}

// Selects entry `index` of a timing list, its last entry when the index lies beyond it.
void Select(kit::ComboBox& box, int index) {
  if (box.listCount() > 0) box.setListIndex(std::clamp(index, 0, box.listCount() - 1));
}

}  // namespace

void frm_5tone::Grids_To_Image() {
  ToneStage& stage = Tone_Stage;
  PageBuffer& page = Page_Buf;
  const fields::Cells stageCells{stage}, pageCells{page};
  const Table2D<std::int16_t, 16, 16>* tables[] = {&data_.Tone5_Freq_Lo, &data_.Tone5_Freq_Hi,
                                                   &data_.Tone5_Div_Lo, &data_.Tone5_Div_Hi};
  for (std::size_t t = 0; t < 4; ++t)
    for (std::size_t s = 0; s < 16; ++s)
      for (std::size_t d = 0; d < 16; ++d) stage(16 * t + s, d) = (*tables[t])(s, d);

  Store_Columns(Std_Columns, MSF_Chann, stageCells, kStdSettingRow + 1);

  Store_Columns(Enc_Code_Columns, MSF_Encode, pageCells, 0);
  Page_To_Stage(page, stage, kEncodeRow);

  Store_Columns(Transpond_Columns, MSF_Encode, pageCells, 0);
  const kit::ComboBox* timing[] = {&Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3, &Combo_Enc_ys4};
  for (std::size_t b = 0; b < 4; ++b) page(15, b) = Index_Of(*timing[b]);
  Page_To_Stage(page, stage, kTranspondRow);

  Store_Columns(Dec_Code_Columns, MSF_Decode, pageCells, 0);
  Page_To_Stage(page, stage, kDecodeRow);

  Store_Columns(Reply_Columns, MSF_Decode, pageCells, 0);
  for (std::size_t r = 0; r < 15; ++r)
    for (std::size_t k = 0; k < 6; ++k) page(r, 8 + k) = Dec_Actions(r, k);
  page(15, 0) = Index_Of(Combo_Dec_Res_Time);
  page(15, 1) = Check_Dec_back.value() != 0 ? 1 : 0;
  page(15, 2) = Check_Dec_Bcl.value() != 0 ? 2 : 0;
  page(15, 3) = Index_Of(Combo_Dec_Back_Time);
  Page_To_Stage(page, stage, kReplyRow);
}

void frm_5tone::Image_To_Grids() {
  const fields::Cells page{Page_Buf};
  const PageBuffer& bytes = Page_Buf;
  int r = 2;
  Load_Page_Buf(Block_Buf, Page_Buf, r);
  Show_Columns(Std_Columns, MSF_Chann, page);

  r = 6;
  Load_Page_Buf(Block_Buf, Page_Buf, r);
  Show_Columns(Enc_Code_Columns, MSF_Encode, page);

  r = 10;
  Load_Page_Buf(Block_Buf, Page_Buf, r);
  Show_Columns(Transpond_Columns, MSF_Encode, page);
  kit::ComboBox* timing[] = {&Combo_Enc_ys1, &Combo_Enc_ys2, &Combo_enc_ys3, &Combo_Enc_ys4};
  for (std::size_t b = 0; b < 4; ++b) Select(*timing[b], bytes(15, b));

  r = 14;
  Load_Page_Buf(Block_Buf, Page_Buf, r);
  Show_Columns(Dec_Code_Columns, MSF_Decode, page);

  r = 18;
  Load_Page_Buf(Block_Buf, Page_Buf, r);
  Show_Columns(Reply_Columns, MSF_Decode, page);
  for (std::size_t row = 0; row < 15; ++row)
    for (std::size_t k = 0; k < 8; ++k) Dec_Actions(row, k) = bytes(row, 8 + k);

  Cur_Dec_Row = 0;
  Show_Dec_Actions(0);
  Caption_Dec_Frame(1);

  Select(Combo_Dec_Res_Time, bytes(15, 0));
  Check_Dec_back.setValue(bytes(15, 1) != 0 ? 1 : 0);
  Check_Dec_Bcl.setValue(bytes(15, 2) != 0 ? 1 : 0);
  Select(Combo_Dec_Back_Time, bytes(15, 3));
}

// A signal file holds the low bytes of the tone frequencies of standards 0 to 8. A digit whose byte
// the file changes sounds the frequency the two bytes now spell, with its divider; the viewer shows
// it and the next build carries it. Digits the file leaves alone keep their exact frequency.
void frm_5tone::Show_Loaded_Rows() {
  for (std::size_t s = 0; s < kSigFileRows; ++s)
    for (std::size_t d = 0; d < 16; ++d) {
      if (Tone_Stage(s, d) == data_.Tone5_Freq_Lo(s, d)) continue;
      Set_Tone5_Digit(data_, s, d, Tone_Stage(s, d) + 256.0 * data_.Tone5_Freq_Hi(s, d));
    }
  Show_Std_Freqs();
}

}  // namespace j5
