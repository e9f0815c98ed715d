// The in-place editors: which editor a cell gets, where it goes and what its
// list holds; what a pick stores at once; how typing is filtered; and the
// Enter key, which checks a frequency and moves on to the next cell.
#include "data/tables.h"
#include "editors/channels/channel_text.h"
#include "editors/channels/frm_chann.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

void frm_chann::MSF_Chann_Click() {
  Show_Cell_Editor();
}

void frm_chann::Fill_List(int col) {
  if (col == kColBand) {
    Combo_edit.addItem("VHF/UHF");
    return;
  }
  for (const std::string& item : Col(col).choice.items) Combo_edit.addItem(item);
}

void frm_chann::Show_Cell_Editor() {
  const int r = MSF_Chann.row(), c = MSF_Chann.col();
  Cell_Row = static_cast<std::int16_t>(r);
  Cell_Col = static_cast<std::int16_t>(c);
  Cell_Old_Text = Cell(r, c);
  const std::string text = Cell(r, c);
  Edit_Placed = false;

  if (c == kColRx || c == kColTx || c == kColName) {
    MSF_Chann.hideEditor(Combo_edit);
    MSF_Chann.placeEditor(Text_Edit, true);
    Text_Edit.setVisible(true);
    Text_Edit.setText(text);
    Text_Edit.selectAll();
    Text_Edit.setFocus();
    Arm_Edit();
    return;
  }
  const bool list = c == kColBand || (c >= kColDec && c <= kColScr && !Cell_Blank(r, kColBand));
  if (!list) return;  // the number column, or a setting of a channel without band

  MSF_Chann.hideEditor(Text_Edit);
  Combo_edit.setVisible(true);
  MSF_Chann.placeEditor(Combo_edit, false);
  Combo_edit.setText(text);
  Combo_edit.setFocus();
  Combo_edit.clear();
  if (c == kColEnc && Cell_Blank(r, kColRx)) {
    // No encode tone without a receive frequency.
    MSF_Chann.hideEditor(Text_Edit);
    MSF_Chann.hideEditor(Combo_edit);
    return;
  }
  Fill_List(c);
  // A tone cell opens with an empty text field over the whole list.
  if (c != kColDec && c != kColEnc) Combo_edit.setText(text);
  Arm_Edit();
}

void frm_chann::Combo_edit_Click() {
  Cell_Old_Text = Combo_edit.text();
  const int r = MSF_Chann.row(), c = MSF_Chann.col();
  Cell_Row = static_cast<std::int16_t>(r);
  Cell_Col = static_cast<std::int16_t>(c);
  const int k = Combo_edit.listIndex();
  if (k < 0) return;
  if (!Edit_Is_Current()) {
    // The list no longer stands over the cell it was opened for, or the
    // channels were replaced under it: the pick has nowhere to go.
    Drop_Pending_Edit();
    return;
  }
  Store_Pick(r, c, k);
  if (c >= kColEnc) Show_Picked(r, c);
  Refresh_Edit_Image();
}

// The row shows what the record now holds, so the cell cannot keep showing an older value that a
// later commit would then take for the user's choice. A channel that is only a band so far has no
// record to show yet: its cell shows the pick.
void frm_chann::Show_Picked(int r, int c) {
  if (Rec(r, 0) != kEmptyByte) {
    Show_Channel(r);
  } else {
    Set_Cell(r, c, Combo_edit.text());
  }
}

void frm_chann::Store_Pick(int r, int c, int k) {
  if (c == kColBand) {
    if (rt::Trim(Combo_edit.text()) != rt::Trim(Cell(r, kColBand))) Clear_Channel(r);
    Set_Cell(r, kColBand, Combo_edit.text());
    return;
  }
  if (c < kColDec || c > kColScr) return;
  Col(c).pick(Image, r - 1, k);
  if (c == kColDec) {
    // The decode tone becomes the encode tone too.
    Rec(r, 10) = Rec(r, 8);
    Rec(r, 11) = Rec(r, 9);
    Show_Channel(r);
  }
}

void frm_chann::Combo_edit_Change() {
  Cell_Row = static_cast<std::int16_t>(MSF_Chann.row());
  Cell_Col = static_cast<std::int16_t>(MSF_Chann.col());
  // Outside the tone columns a value is chosen, never typed: undo the typing.
  if (Combo_edit.visible() && Cell_Col != kColDec && Cell_Col != kColEnc) {
    Combo_edit.setFocus();
    Combo_edit.setText(Cell_Old_Text);
  }
}

void frm_chann::Combo_edit_GotFocus() {
  Cell_Old_Text = Combo_edit.text();
}

void frm_chann::Combo_edit_KeyPress(int& key) {
  if (Cell_Col == kColDec || Cell_Col == kColEnc) {
    // A tone is typed as a number or as a DCS name (D023N, D754I).
    if (key == 'd' || key == 'n' || key == 'i') key -= 'a' - 'A';
    const bool passes = (key >= '0' && key <= '9') || key == '.' || key == 'D' || key == 'N' ||
                        key == 'I' || key == 13;
    if (!passes) key = 0;
  }
  if (key == 13 && Cell_Col >= kColTx && Cell_Col < kColName) {
    MSF_Chann.setCol(MSF_Chann.col() + 1);
    Show_Cell_Editor();
  }
}

void frm_chann::Text_Edit_KeyPress(int& key) {
  const int r = MSF_Chann.row(), c = MSF_Chann.col();
  Cell_Row = static_cast<std::int16_t>(r);
  Cell_Col = static_cast<std::int16_t>(c);
  if (key != 13) return;
  MSF_Chann.hideEditor(Text_Edit);
  // In the name column the hidden editor keeps the name for the commit.
  if (c != kColRx && c != kColTx) return;
  if (!Edit_Is_Current()) {
    Drop_Pending_Edit();
    return;
  }
  // Enter over a cell only looked at checks nothing: it moves on, and the move commits nothing.
  if (Edit_Holds_A_Change()) {
    {
      const chann::Commit_Guard guard(Committing);
      if (!Enter_Pre_Check(r, c)) return;
    }
    // A rebuild that ran under one of the check's messages (the window activated meanwhile) left
    // the current cell elsewhere: back to the cell entered, so that the move below commits it.
    if (MSF_Chann.row() != r) MSF_Chann.setRow(r);
    if (MSF_Chann.col() != c) MSF_Chann.setCol(c);
    Refresh_Edit_Image();
  }

  if (c == kColRx) {
    MSF_Chann.setCol(kColTx);
  } else if (Cell_Blank(r, kColRx) && rt::Trim(Text_Edit.text()).empty()) {
    // Nothing to set on an empty channel: on to the band of the next one.
    MSF_Chann.setCol(kColBand);
    if (r < Shown_Channels()) MSF_Chann.setRow(r + 1);
  } else {
    MSF_Chann.setCol(kColDec);
  }
  Show_Cell_Editor();
}

// False when the edit was dropped under one of its messages.
bool frm_chann::Enter_Pre_Check(int r, int c) {
  const std::string x = Text_Edit.text();
  const double f = rt::Val_Or_Zero(x);
  const bool blank = rt::Trim(x).empty();
  std::string t;
  if (c == kColRx) {
    if (Freq_In_Range(f)) {
      if (Cell_Blank(r, kColRx)) Set_New_Channel(r);
      t = chann::Left_Chars(x, 9);
      Set_Cell(r, kColRx, t);
    } else if (!blank) {
      if (!Prompt_Range(true)) return false;
      t = Lower_Limit_Text();
      Set_Cell(r, kColRx, t);
      if (Rec(r, 0) == kEmptyByte) Set_New_Channel(r);
    } else {
      Set_Cell(r, kColRx, "");
      Set_Cell(r, kColTx, "");
      Clear_Channel_Fields(r);
    }
  } else if (Cell_Blank(r, kColRx) && !blank) {
    if (!Prompt_Rx_First()) return false;
  } else if (Freq_In_Range(f)) {
    t = chann::Left_Chars(x, 9);
    Set_Cell(r, kColTx, t);
  } else if (!blank) {
    if (!Prompt_Range(false)) return false;
    t = Lower_Limit_Text();
    Set_Cell(r, kColTx, t);
    Set_Cell(r, kColEnc, "OFF");
  } else {
    Set_Cell(r, kColTx, "");
    Set_Cell(r, kColEnc, "");
  }
  Text_Edit.setText(t);
  return true;
}

// ---------------------------------------------------------------------------
// The pending edit.

void frm_chann::Read_Channel_Memory(std::array<std::int16_t, kChannelBytes>& out) const {
  std::size_t i = 0;
  for (const int base : {Channel_Record.first, Channel_Name_Row.first})
    for (int row = base; row < base + kMaxChannels; ++row)
      for (std::size_t k = 0; k < 16; ++k) out[i++] = data_.Mem_Image(row, k);
}

void frm_chann::Arm_Edit() {
  Edit_Placed = true;
  Edit_Row = MSF_Chann.row();
  Edit_Col = MSF_Chann.col();
  const bool text = Edit_Col == kColRx || Edit_Col == kColTx || Edit_Col == kColName;
  Edit_Opened_Text = text ? Text_Edit.text() : Combo_edit.text();
  Read_Channel_Memory(Edit_Image);
}

void frm_chann::Refresh_Edit_Image() {
  if (Edit_Placed) Read_Channel_Memory(Edit_Image);
}

bool frm_chann::Channel_Memory_Unchanged() const {
  std::array<std::int16_t, kChannelBytes> now;
  Read_Channel_Memory(now);
  return now == Edit_Image;
}

bool frm_chann::Edit_Is_Current() const {
  return Edit_Placed && MSF_Chann.row() == Edit_Row && MSF_Chann.col() == Edit_Col &&
         Channel_Memory_Unchanged();
}

bool frm_chann::Edit_Holds_A_Change() const {
  if (!Edit_Placed || Edit_Row >= MSF_Chann.rows() || Edit_Col >= MSF_Chann.cols()) return false;
  const bool text = Edit_Col == kColRx || Edit_Col == kColTx || Edit_Col == kColName;
  // Compared with what the editor opened on, not with the cell, which Enter's check has set to
  // the entry already (and a tone list opens with an empty text field over its cell).
  return (text ? Text_Edit.text() : Combo_edit.text()) != Edit_Opened_Text;
}

void frm_chann::Drop_Pending_Edit() {
  Edit_Placed = false;
  // Hidden first, so emptying the list raises nothing that undoes it.
  MSF_Chann.hideEditor(Text_Edit);
  MSF_Chann.hideEditor(Combo_edit);
  Text_Edit.setText("");
  Combo_edit.setText("");
}

}  // namespace j5
