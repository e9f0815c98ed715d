// The commit of a cell when the grid's current cell leaves it: the editor's
// content is checked, written into the channel's record or name row, and the
// row shown again from the image. Frequencies outside the bands are replaced
// by the lower band limit, with a message.
#include <algorithm>

#include "data/bands.h"
#include "data/encodings.h"
#include "data/tables.h"
#include "editors/channels/channel_text.h"
#include "editors/channels/frm_chann.h"
#include "platform/runtime.h"
#include "shell/program.h"
#include "shell/prompt.h"

namespace j5 {

void frm_chann::MSF_Chann_LeaveCell() {
  const int r = MSF_Chann.row(), c = MSF_Chann.col();
  Cell_Row = static_cast<std::int16_t>(r);
  Cell_Col = static_cast<std::int16_t>(c);
  // Only the cell an editor was placed over has anything to commit: a cell
  // passed by the arrow keys, by Enter or by a rebuild would otherwise take
  // an empty or foreign editor text as its new content.
  if (!Edit_Placed || r != Edit_Row || c != Edit_Col || Committing) return;
  if (!Edit_Is_Current()) {
    // The channels were reset or read since the editor was placed: the new
    // image stays as it came.
    Drop_Pending_Edit();
    return;
  }
  // An editor left as it opened, nothing typed or picked, changes nothing: a receive frequency
  // only looked at must not become the transmit one too.
  if (!Edit_Holds_A_Change()) {
    Drop_Pending_Edit();
    return;
  }
  MSF_Chann.hideEditor(Text_Edit);
  const chann::Commit_Guard guard(Committing);
  switch (c) {
    case kColBand:
      Store_Pick(r, c, 0);  // the one band there is, as a pick would store it
      break;
    case kColRx:
      Commit_Rx(r, Text_Edit.text());
      break;
    case kColTx:
      Commit_Tx(r, Text_Edit.text());
      break;
    case kColDec:
    case kColEnc:
      Commit_Tone(r, c);
      break;
    case kColName:
      Commit_Name(r);
      break;
    default:  // the choices: the pick has written the record already
      Show_Picked(r, c);
      break;
  }
  Drop_Pending_Edit();
}

bool frm_chann::Freq_In_Range(double f) const {
  // Limits from a radio may reach 1000 MHz, which four packed bytes cannot hold.
  return In_Radio_Bands(data_, f) && f < kFreqLimitMHz;
}

std::string frm_chann::Lower_Limit_Text() const {
  // The VHF band's lower end with five decimals: 130 -> 130.00000, 66 -> 66.00000.
  std::string text = rt::Trim(rt::Str(Radio_Band(data_, 0).low));
  std::size_t point = text.find('.');
  if (point == std::string::npos) {
    point = text.size();
    text += '.';
  }
  if (text.size() < point + 6) text.append(point + 6 - text.size(), '0');
  return text;
}

// The snapped text goes nowhere: the row is shown from the record.
void frm_chann::Write_Freq(int r, int col, const std::string& text) {
  Col(col).store(Image, r - 1, text);
}

// t is a copy of the editor's text, which the commit may replace.
void frm_chann::Commit_Rx(int r, std::string t) {
  if (Freq_In_Range(rt::Val_Or_Zero(t))) {
    if (Cell_Blank(r, kColRx)) Set_New_Channel(r);
    Set_Cell(r, kColRx, t);
    // Every new receive frequency is the transmit frequency too.
    Write_Freq(r, kColTx, t);
    Write_Freq(r, kColRx, t);
  } else if (!rt::Trim(t).empty()) {
    if (!Prompt_Range(true)) return;
    const std::string low = Lower_Limit_Text();
    Set_Cell(r, kColRx, low);
    Text_Edit.setText(low);
    if (Rec(r, 0) == kEmptyByte) {
      Set_New_Channel(r);
      Write_Freq(r, kColTx, low);
    }
    Write_Freq(r, kColRx, low);
  } else {
    // Erasing the receive frequency deletes the channel.
    Set_Cell(r, kColRx, "");
    Set_Cell(r, kColTx, "");
    Clear_Channel_Fields(r);
  }
  Show_Channel(r);
}

void frm_chann::Commit_Tx(int r, std::string t) {
  const bool blank = rt::Trim(t).empty();
  if (Cell_Blank(r, kColRx) && !blank) {
    if (Prompt_Rx_First()) Text_Edit.setText("");
    return;
  }
  if (Freq_In_Range(rt::Val_Or_Zero(t))) {
    Set_Cell(r, kColTx, t);
    Write_Freq(r, kColTx, t);
  } else {
    std::string low;
    if (!blank) {
      if (!Prompt_Range(false)) return;
      low = Lower_Limit_Text();
      Text_Edit.setText(low);
    }
    Set_Cell(r, kColTx, low);
    Set_Cell(r, kColEnc, blank ? "" : "OFF");
    if (blank) {
      for (int k = 4; k <= 7; ++k) Rec(r, k) = kEmptyByte;
    } else {
      Write_Freq(r, kColTx, low);
    }
    Rec(r, 10) = kEmptyByte;
    Rec(r, 11) = kEmptyByte;
  }
  Show_Channel(r);
}

void frm_chann::Commit_Tone(int r, int c) {
  const std::string s = rt::Trim(Combo_edit.text());
  const double v = rt::Val_Or_Zero(s);
  if (v >= 60 && v <= 259.9) {
    // Any tone in 0.1 Hz steps, not only the listed ones.
    Col(c).store(Image, r - 1, s);
    if (c == kColDec) {
      Rec(r, 10) = Rec(r, 8);
      Rec(r, 11) = Rec(r, 9);
    }
    Show_Channel(r);
    return;
  }
  // A DCS name: select it in the list, which stores it as a pick does.
  const std::vector<std::string>& names = Col(c).choice.items;
  const int count = std::min<int>(Combo_edit.listCount(), static_cast<int>(names.size()));
  for (int i = 0; i < count; ++i) {
    if (names[static_cast<std::size_t>(i)] != s) continue;
    if (Combo_edit.listIndex() == i) {
      Combo_edit_Click();  // typing the name has selected it already, without a click
    } else {
      Combo_edit.setListIndex(i);
    }
    Set_Cell(r, c, Combo_edit.text());
  }
}

void frm_chann::Commit_Name(int r) {
  std::string t = Text_Edit.text();
  if (kit::utf8::length(rt::Trim(t)) > 6 && !Prompt_Name_Length()) return;
  if (Cell_Blank(r, kColBand)) {
    // An empty channel gets no name.
    t.clear();
    Text_Edit.setText(t);
  }
  std::string name = chann::Left_Chars(rt::Trim(t), 6);
  for (char& ch : name)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  name = rt::Trim(name);
  Set_Cell(r, kColName, name);

  Col(kColName).store(Image, r - 1, name);
}

// ---------------------------------------------------------------------------
// Messages.

// Each message returns whether the edit may go on (Edit_Survives_Message).

bool frm_chann::Prompt_Range(bool rx) {
  if (rx) {
    Prompt(prog_, {"接收频率超出范围 ！", "Over the range of receive frequency ."});
  } else {
    Prompt(prog_, {"发射频率超出范围 ！", "Over the range of transmit frequency ."});
  }
  return Edit_Survives_Message();
}

bool frm_chann::Prompt_Rx_First() {
  Prompt(prog_, {"请先输入接收频率 ！", "Please input the receive frequency in advance."});
  return Edit_Survives_Message();
}

bool frm_chann::Prompt_Name_Length() {
  Prompt(prog_, {"信道名称的字符个数最大为 6 位 ！", "The letter of channel name max 6 bit . "},
         Prompt_Title::Upper);
  return Edit_Survives_Message();
}

// The program goes on serving its timers and the line while a message box is open, so a read
// may have replaced the channels by the time the user closes it: the edit then belongs to an
// image that is gone and is dropped, leaving the new one as it came.
bool frm_chann::Edit_Survives_Message() {
  if (Edit_Placed && Edit_Row < MSF_Chann.rows() && Channel_Memory_Unchanged()) return true;
  Drop_Pending_Edit();
  return false;
}

}  // namespace j5
