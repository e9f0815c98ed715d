#pragma once
// The two-tone editor: fifteen encode codes of two tones and their timing on the encode page,
// fifteen decode codes of four tone pairs with responses and alerts, the four tones of each
// decode code and the reset time on the decode page. The window keeps its table in its controls
// and in Dec_Tone_Set; the block (48 rows at 0x2D00) exists only when a read brings it in or a
// write or signal file needs it built.

#include <array>
#include <vector>

#include "data/fields.h"
#include "editors/fields.h"
#include "editors/signalling/tone_window.h"

namespace j5 {

class frm_2tone : public Tone_Window {
 public:
  explicit frm_2tone(Program& program);

  kit::Frame Frame_encode{*this, "Frame_encode"};
  kit::Grid MSF_Encode{*this, "MSF_Encode"};
  kit::TextBox Text_Encode{*this, "Text_Encode"};
  kit::Label Label_1st{*this, "Label_1st"};
  kit::ComboBox Combo_Enc_ys1{*this, "Combo_Enc_ys1"};
  kit::Label Label_2nd{*this, "Label_2nd"};
  kit::ComboBox Combo_Enc_ys2{*this, "Combo_Enc_ys2"};
  kit::Label Label_gap{*this, "Label_gap"};
  kit::ComboBox Combo_enc_ys3{*this, "Combo_enc_ys3"};

  kit::Frame Frame_Decode{*this, "Frame_Decode"};
  kit::Grid MSF_Decode{*this, "MSF_Decode"};
  kit::ComboBox Combo_Decode{*this, "Combo_Decode"};
  kit::Frame Frame_Dec_xx{*this, "Frame_Dec_xx"};
  kit::Label Label_A_tone{*this, "Label_A_tone"};
  kit::TextBox Text_A{*this, "Text_A"};
  kit::Label Label_B_Tone{*this, "Label_B_Tone"};
  kit::TextBox Text_B{*this, "Text_B"};
  kit::Label Label_C_Tone{*this, "Label_C_Tone"};
  kit::TextBox Text_C{*this, "Text_C"};
  kit::Label Label_D_Tone{*this, "Label_D_Tone"};
  kit::TextBox Text_D{*this, "Text_D"};
  kit::Label Label_Reset{*this, "Label_Reset"};
  kit::ComboBox Combo_Dec_Res_Time{*this, "Combo_Dec_Res_Time"};

  // The decode code (grid row - 1) whose tone set the boxes Text_A to Text_D show and store.
  int Cur_Dec_Row = 0;
  // Row k (0-14): the tone set of decode code k + 1, byte for byte block row 32 + k; after a
  // read, row 15 byte 0 holds the reset-time index.
  ToneRows Dec_Tone_Set;

  void Load_Defaults() override;
  void Store_Tone_Set(int row);
  void Show_Tone_Set(int row);
  void Grids_To_Image() override;
  void Image_To_Grids() override;
  void Drop_Pending_Edits() override;
  void Show_Loaded_Rows() override;

 private:
  // Where the cells of each grid live in a page of the block, and the tones of a tone set.
  std::vector<fields::Column> Encode_Columns;
  std::vector<fields::Column> Decode_Columns;
  std::array<fields::Field, 4> Tone_Fields;
  std::array<kit::TextBox*, 4> Tone_Boxes{&Text_A, &Text_B, &Text_C, &Text_D};

  void Form_Load();
  void Lay_Out();
  void TabStrip1_Click();
  void Fill_Defaults_Cells();

  void Encode_Cell_Edit();
  void MSF_Encode_LeaveCell();
  void MSF_Encode_DblClick();
  void Decode_Cell_Edit();
  void MSF_Decode_LeaveCell();
  void MSF_Decode_DblClick();
  void Text_Tone_LostFocus(kit::TextBox& box);
  void Caption_Dec_Frame(int code);
};

}  // namespace j5
