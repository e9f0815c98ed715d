// The adjustment table's settings as bindings of the field model, showing the table on the
// current page, and the entry of the value boxes and lists: every accepted entry is stored in its
// Adj_Value cell at once.
#include <algorithm>

#include "editors/adjust/adj_prompts.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/program.h"

namespace j5 {

// In the order the page shows them.
const std::array<frm_Adj_Txp::Value_Boxes, 9> frm_Adj_Txp::kValueBoxes = {{
    {&frm_Adj_Txp::Text1, 0, true, 15},
    {&frm_Adj_Txp::Text2, 1, true, 15},
    {&frm_Adj_Txp::Text_UHF1, 2, true, 63},
    {&frm_Adj_Txp::Text_SQ_VHF, 6, false, 255},
    {&frm_Adj_Txp::Text_Sq_Offset_VHF, 7, false, 20},
    {&frm_Adj_Txp::Text_SQ_UHF, 8, false, 255},
    {&frm_Adj_Txp::Text_Sq_Offset_UHF, 9, false, 20},
    {&frm_Adj_Txp::Text_SQ_UHF1, 10, false, 255},
    {&frm_Adj_Txp::Text_Sq_Offset_UHF1, 11, false, 20},
}};

namespace {

// The low page's power rows lie three rows below the high page's.
constexpr int kLowPowerRows = 3;

fields::Field Cell(int row, int col) {
  return fields::Bits{{row, col}};
}

}  // namespace

void frm_Adj_Txp::Bind_Settings() {
  // Value boxes: each change is checked by the window and stored through its binding.
  for (const Value_Boxes& v : kValueBoxes) {
    auto& boxes = Boxes(v);
    for (int k : boxes.indices()) {
      if (v.power) {
        Bind_Value_Box(Power_High, boxes[k], v.row, k);
        Bind_Value_Box(Power_Low, boxes[k], v.row + kLowPowerRows, k);
      } else {
        Bind_Value_Box(Squelch, boxes[k], v.row, k);
      }
      boxes[k].Change = [this, &v, k] { Value_Box_Change(v, k); };
    }
  }

  auto discardKeys = [](int& key) { key = 0; };
  for (int k = 0; k < 16; ++k) {
    Combo_Mod[k].KeyPress = discardKeys;
    Combo_Txp[k].KeyPress = discardKeys;
    Bind_List_Text(Combo_Mod[k], 12, k);
  }
  for (int k = 0; k < 15; ++k) Bind_List_Text(Combo_Txp[k], 13, k);
  Bind_List_Pick(Combo_Txp[15], 13, 15);

  for (int k = 0; k < 10; ++k) {
    Combo_vox[k].KeyPress = discardKeys;
    Bind_List_Pick(Combo_vox[k], 14, k);
  }
  for (int k = 0; k < 6; ++k) {
    Combo_batt_comp[k].KeyPress = discardKeys;
    Bind_List_Pick(Combo_batt_comp[k], 14, 10 + k);
  }
  Bind_Band_Limits();
  Other.step([this] { Show_Version(); });
}

kit::ControlArray<kit::TextBox>& frm_Adj_Txp::Boxes(const Value_Boxes& v) {
  return this->*v.boxes;
}

fields::Bindings& frm_Adj_Txp::Boxes_Table(const Value_Boxes& v) {
  if (!v.power) return Squelch;
  return Adj_Page == kPowerLow ? Power_Low : Power_High;
}

int frm_Adj_Txp::Box_Row(const Value_Boxes& v) const {
  return v.power ? v.row + (Adj_Page == kPowerLow ? kLowPowerRows : 0) : v.row;
}

void frm_Adj_Txp::Show_Adj_Page() {
  if (Adj_Page == kPowerHigh) return Power_High.show();
  if (Adj_Page == kPowerLow) return Power_Low.show();
  Squelch.show();
  if (Adj_Page == kAudio) Audio.show();
  if (Adj_Page == kOther) Other.show();
}

// Digits only, blanks around them allowed, an empty box is 0; every change is checked and
// stored, so a value typed digit by digit is refused at the first digit that takes it too far.
// Showing the table writes the boxes too, and a value out of a box's range is refused the same
// way.
void frm_Adj_Txp::Value_Box_Change(const Value_Boxes& v, int k) {
  // The power boxes edit rows 0..5 only; they take no entry while another page is shown.
  if (v.power && Adj_Page != kPowerHigh && Adj_Page != kPowerLow) return;
  const std::string text = rt::Trim(Boxes(v)[k].text());
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return Refuse_Value(v, k);
    n = std::min(n * 10 + (c - '0'), 100000);
  }
  // A refused entry puts the default into the box, whose own change check stores it.
  if (n > v.max) return Refuse_Value(v, k);
  Boxes_Table(v).store(Boxes(v)[k]);
}

void frm_Adj_Txp::Refuse_Value(const Value_Boxes& v, int k) {
  kit::TextBox& box = Boxes(v)[k];
  Adj_Range_Prompt(prog_, v.max);
  box.setFocus();
  box.setText(std::to_string(data_.Adj_Default(Box_Row(v), k)));
}

// A value box shows its cell's number as it is, so a value beyond the box's range (from a
// hand-made file) is refused and replaced by the default rather than shown as some other number;
// the store runs from Value_Box_Change once the entry has passed the checks.
void frm_Adj_Txp::Bind_Value_Box(fields::Bindings& table, kit::TextBox& box, int row, int col) {
  const fields::Field f = Cell(row, col);
  table.custom(
      box, [this, &box, row, col] { box.setText(std::to_string(data_.Adj_Value(row, col))); },
      [&table, &box, f] { f.setText(table.cells(), box.text()); });
}

// The lists of rows 12 and 13 take the number as their text, in the list or not, and showing
// stores nothing; a pick stores its position.
void frm_Adj_Txp::Bind_List_Text(kit::ComboBox& box, int row, int col) {
  const fields::Field f = Cell(row, col);
  box.Click = Audio.custom(
      box, [this, &box, row, col] { box.setText(std::to_string(data_.Adj_Value(row, col))); },
      [this, &box, f] {
        if (box.listIndex() >= 0) f.setNumber(Audio.cells(), box.listIndex());
      });
}

// A list that shows its item by position, and whose Click stores the position back. A value its
// list does not hold (read from an erased radio, loaded from a file) is shown as a number with
// no item picked, and the cell keeps it.
void frm_Adj_Txp::Bind_List_Pick(kit::ComboBox& box, int row, int col) {
  fields::Bindings& table = row == 13 ? Audio : Other;
  const fields::Field f = Cell(row, col);
  box.Click = table.custom(
      box,
      [this, &box, row, col] {
        const int value = data_.Adj_Value(row, col);
        if (value >= 0 && value < box.listCount())
          box.setListIndex(value);
        else
          box.setText(std::to_string(value));
      },
      [&table, &box, f] {
        if (box.listIndex() >= 0) f.setNumber(table.cells(), box.listIndex());
      });
}

// The firmware version: row 19's first seven bytes as characters, blanks trimmed as each is
// added, so only a blank in the last place stays.
void frm_Adj_Txp::Show_Version() {
  std::string text;
  for (int c = 0; c < 7; ++c)
    text = rt::Trim(text) + kit::utf8::encode(static_cast<std::uint8_t>(data_.Adj_Value(19, c)));
  Text_Version.setText(text);
}

}  // namespace j5
