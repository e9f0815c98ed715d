// Editing the five-tone encode and decode grids through the editors laid over a clicked cell,
// the code rules and their messages, and the action boxes of the selected decode code.
#include <algorithm>

#include "data/five_tone.h"
#include "data/lang_text.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/tone_codecs.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

namespace {

const Bilingual kEncodeLength{"编码位数为 5 位 ！", "Encode Digit is 5 Bits."};
const Bilingual kDecodeLength{"解码位数为 5 位 ！", "Decode Digit is 5 Bits."};
const Bilingual kDigitChars{"码组字符只能是 0 - 9 或 A - F  ！",
                            "Group Digits only by 0 to 9 and A to F."};

bool Is_Code_Column(int c) {
  return c == 2 || c == 4 || c == 6 || c == 8;
}
bool Is_Function_Column(int c) {
  return c == 3 || c == 5 || c == 7;
}
bool Blank(const std::string& text) {
  return rt::Trim(text).empty();
}

std::vector<std::string> Standard_Names() {
  return {kTone5StdNames.begin(), kTone5StdNames.end()};
}

}  // namespace

void frm_5tone::Wire_Editing() {
  MSF_Encode.Click = [this] { MSF_Encode_Click(); };
  MSF_Encode.LeaveCell = [this] { MSF_Encode_LeaveCell(); };
  MSF_Encode.DblClick = [this] { MSF_Encode_DblClick(); };
  Text_Encode.Change = [this] { Text_Encode_Change(); };
  MSF_Decode.Click = [this] { MSF_Decode_Click(); };
  MSF_Decode.LeaveCell = [this] { MSF_Decode_LeaveCell(); };
  MSF_Decode.DblClick = [this] { MSF_Decode_DblClick(); };
  Text_Decode.Change = [this] { Text_Decode_Change(); };
  // Every box stores all the boxes of the selected code.
  for (auto& frame : Action_Boxes)
    for (kit::CheckBox* box : frame) box->Click = [this] { Store_Dec_Actions(Cur_Dec_Row); };
  Check_Dec_back.Click = [this] { Check_Dec_back_Click(); };
}

// The code rule on leaving a code cell: five characters (blanks around them aside) are taken as
// typed into the editor's cell, an empty editor changes nothing, any other length is refused and
// the editor stays, in sight on page `tab`.
bool frm_5tone::Commit_Code(int tab, kit::Grid& grid, const Code_Cell& cell, kit::TextBox& editor,
                            const Bilingual& lengthMessage) {
  const std::string t = editor.text();
  const std::size_t n = tone::Characters(rt::Trim(t)).size();
  const bool refused = n != 5 && n != 0;
  Refused_Grid = refused ? &grid : nullptr;
  if (n == 5) {
    grid.setTextMatrix(cell.row, cell.col, t);
  } else if (refused) {
    Entry_Prompt(lengthMessage);
    Show_Refused(tab, grid, editor);
    return false;
  }
  grid.hideEditor(editor);
  return true;
}

bool frm_5tone::Code_Waits(const kit::Grid& grid, const Code_Cell& cell,
                           const kit::TextBox& editor) const {
  return cell.row > 0 && cell.row < grid.rows() && cell.col < grid.cols() &&
         Text_Waits(editor, grid.textMatrix(cell.row, cell.col));
}

// A click whose leave refused the code in the editor opens no editor of its own: the current cell
// goes back to the code's cell, under the editor, for the user to mend the code there.
bool frm_5tone::Stay_On_Refused(int tab, kit::Grid& grid, const Code_Cell& cell,
                                kit::TextBox& editor) {
  if (Refused_Grid != &grid || !Code_Waits(grid, cell, editor)) return false;
  Refused_Grid = nullptr;
  Back_To_Refused = true;
  grid.setRow(cell.row);
  grid.setCol(cell.col);
  Back_To_Refused = false;
  Show_Refused(tab, grid, editor);
  return true;
}

// ---- Encode grid ----------------------------------------------------------------------------

void frm_5tone::MSF_Encode_Click() {
  Encode_Cell_Edit();
  if (MSF_Encode.mouseCol() == 0) {
    MSF_Chann.hideEditor(Combo_edit);
    Text_Edit.setVisible(false);
  }
}

void frm_5tone::Encode_Cell_Edit() {
  if (MSF_Encode.mouseRow() == 0) return;
  Go_To_Mouse_Cell(MSF_Encode, [this] { return Refused_Grid == &MSF_Encode; });
  if (Stay_On_Refused(2, MSF_Encode, Enc_Code, Text_Encode)) return;
  const int r = MSF_Encode.row(), c = MSF_Encode.col();
  // Frame 2, frame 3, the transpond code and the standard follow a frame 1 code.
  if (c >= 2 && MSF_Encode.textMatrix(r, 1).empty()) return;
  if (c == 5)
    Open_List_Editor(MSF_Encode, Combo_Encode, Standard_Names());
  else if (c >= 1) {
    Open_Text_Editor(MSF_Encode, Text_Encode);
    Enc_Code = {r, c};
    Refused_Grid = nullptr;
  }
}

void frm_5tone::MSF_Encode_LeaveCell() {
  const int r = MSF_Encode.row(), c = MSF_Encode.col();
  if (r == 0 || Back_To_Refused) return;
  // A cell only looked at, or passed by the arrow keys, keeps its row as it is.
  const bool picked = c == 5 && List_Waits(MSF_Encode, Combo_Encode);
  const bool typed = Code_Waits(MSF_Encode, Enc_Code, Text_Encode);
  if (picked || typed) {
    if (picked) MSF_Encode.setText(Combo_Encode.text());
    if (typed && !Commit_Code(2, MSF_Encode, Enc_Code, Text_Encode, kEncodeLength)) return;
    const int row = typed ? Enc_Code.row : r;
    if (Blank(MSF_Encode.textMatrix(row, 1))) Clear_Encode_Row(row);
  }
  MSF_Encode.hideEditor(Combo_Encode);
  MSF_Encode.hideEditor(Text_Encode);
  Text_Encode.setText("");
}

void frm_5tone::Text_Encode_Change() {
  const std::string text = Text_Encode.text();
  const std::size_t n = tone::Characters(text).size();
  if (n > 5) {
    Entry_Prompt(kEncodeLength);
  } else if (n == 5) {
    const auto chars = tone::Characters(rt::Trim(text));
    for (const std::string& ch : chars)
      if (tone::Digit_Value(ch) == 0xFF) Entry_Prompt(kDigitChars);
  }
}

void frm_5tone::MSF_Encode_DblClick() {
  const int r = MSF_Encode.mouseRow();
  if (MSF_Encode.mouseCol() != 0 || r < 1 || r > 15) return;
  for (int c = 1; c <= 5; ++c) MSF_Encode.setTextMatrix(r, c, "");
}

void frm_5tone::Clear_Encode_Row(int row) {
  for (int c = 1; c <= 5; ++c) MSF_Encode.setTextMatrix(row, c, "");
  Text_Encode.setText("");
  Combo_Encode.setText("");
}

// ---- Decode grid ----------------------------------------------------------------------------

void frm_5tone::Caption_Dec_Frame(int code) {
  const std::string n = std::to_string(code);
  Frame_Dec_xx.setCaption(prog_.Text(n + " 信息码各组编码成功解码后执行操作",
                                     "Execute after Code " + n + " Decode Succeeded "));
}

void frm_5tone::MSF_Decode_Click() {
  Decode_Cell_Edit();
  if (MSF_Decode.mouseCol() == 0) {
    MSF_Chann.hideEditor(Combo_edit);
    Text_Edit.setVisible(false);
  }
}

void frm_5tone::Decode_Cell_Edit() {
  Go_To_Mouse_Cell(MSF_Decode, [this] { return Refused_Grid == &MSF_Decode; });
  if (Stay_On_Refused(3, MSF_Decode, Dec_Code, Text_Decode)) return;
  const int r = MSF_Decode.row(), c = MSF_Decode.col();
  if (r == 0) return;
  Caption_Dec_Frame(r);
  Cur_Dec_Row = r - 1;
  // A frame, its function and the reply code follow a standard.
  const bool open = c < 2 || !MSF_Decode.textMatrix(r, 1).empty();
  if (open && (c == 1 || Is_Function_Column(c))) {
    std::vector<std::string> items = Standard_Names();
    if (c != 1) {
      items.clear();
      for (int k = 0; k <= 8; ++k) items.push_back(Get_Call_Type(data_, k));
    }
    Open_List_Editor(MSF_Decode, Combo_Decode, items);
  } else if (open && Is_Code_Column(c)) {
    Open_Text_Editor(MSF_Decode, Text_Decode);
    Dec_Code = {r, c};
    Refused_Grid = nullptr;
  }
  Show_Dec_Actions(Cur_Dec_Row);
}

void frm_5tone::MSF_Decode_LeaveCell() {
  const int r = MSF_Decode.row(), c = MSF_Decode.col();
  if (r == 0 || Back_To_Refused) return;
  // A cell only looked at, or passed by the arrow keys, keeps its row as it is.
  const bool picked = (c == 1 || Is_Function_Column(c)) && List_Waits(MSF_Decode, Combo_Decode);
  const bool typed = Code_Waits(MSF_Decode, Dec_Code, Text_Decode);
  if (picked || typed) {
    if (picked) MSF_Decode.setText(Combo_Decode.text());
    if (picked && Is_Function_Column(c) && MSF_Decode.textMatrix(r, c - 1).empty())
      MSF_Decode.setText("");
    if (typed && !Commit_Code(3, MSF_Decode, Dec_Code, Text_Decode, kDecodeLength)) return;
    const int row = typed ? Dec_Code.row : r;
    if (Blank(MSF_Decode.textMatrix(row, 1))) Clear_Decode_Row(row);
  }
  MSF_Decode.hideEditor(Combo_Decode);
  MSF_Decode.hideEditor(Text_Decode);
  Text_Decode.setText("");
}

// Unlike the encode box, every character is checked at every length, blanks included.
void frm_5tone::Text_Decode_Change() {
  const std::string text = Text_Decode.text();
  const std::size_t n = tone::Characters(text).size();
  if (n > 5) {
    Entry_Prompt(kDecodeLength);
    return;
  }
  const auto chars = tone::Characters(rt::Trim(text));
  for (std::size_t i = 0; i < n; ++i)
    if (i >= chars.size() || tone::Digit_Value(chars[i]) == 0xFF) Entry_Prompt(kDigitChars);
}

void frm_5tone::MSF_Decode_DblClick() {
  const int r = MSF_Decode.mouseRow();
  if (MSF_Decode.mouseCol() != 0 || r < 1 || r > 15) return;
  for (int c = 1; c <= 8; ++c) MSF_Decode.setTextMatrix(r, c, "");
  const auto row = static_cast<std::size_t>(r - 1);
  Dec_Actions.fill(row, row, 0, 7, 0);
  Cur_Dec_Row = r - 1;
  Show_Dec_Actions(r - 1);
}

void frm_5tone::Clear_Decode_Row(int row) {
  for (int c = 1; c <= 8; ++c) MSF_Decode.setTextMatrix(row, c, "");
  Text_Decode.setText("");
  Combo_Decode.setText("");
}

void frm_5tone::Check_Dec_back_Click() {
  const bool on = Check_Dec_back.value() != 0;
  for (kit::Control* c :
       std::initializer_list<kit::Control*>{&Check_Dec_Bcl, &Combo_Dec_Back_Time, &Label8})
    c->setEnabled(on);
}

}  // namespace j5
