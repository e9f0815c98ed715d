// Showing the adjustment table on the current page, and the entry of the value boxes and lists:
// every accepted entry is stored in its Adj_Value cell at once.
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

constexpr std::size_t kFirstSquelch = 3;

// The limit as its three digits: the hundreds from the first byte's low nibble, then the two
// nibbles of the second. A cell outside a byte's range (only a hand-made file holds one) has no
// such form and shows nothing.
std::string Limit_Text(int hundreds, int tensUnits) {
  if (hundreds < 0 || hundreds > 255 || tensUnits < 0 || tensUnits > 255) return "";
  return std::to_string(hundreds & 0x0F) + std::to_string(tensUnits / 16) +
         std::to_string(tensUnits % 16);
}

}  // namespace

kit::ControlArray<kit::TextBox>& frm_Adj_Txp::Boxes(const Value_Boxes& v) {
  return this->*v.boxes;
}

int frm_Adj_Txp::Box_Row(const Value_Boxes& v) const {
  return v.power ? 3 * Adj_Page + v.row : v.row;
}

void frm_Adj_Txp::Show_Adj_Page() {
  const AdjTable& t = data_.Adj_Value;
  if (Adj_Page == kPowerHigh || Adj_Page == kPowerLow) {
    for (std::size_t a = 0; a < kFirstSquelch; ++a) Show_Boxes(kValueBoxes[a]);
    return;
  }
  for (std::size_t a = kFirstSquelch; a < kValueBoxes.size(); ++a) Show_Boxes(kValueBoxes[a]);
  if (Adj_Page == kAudio) {
    for (int k = 0; k < 16; ++k) Show_List_Text(Combo_Mod[k], t(12, k));
    for (int k = 0; k < 15; ++k) Show_List_Text(Combo_Txp[k], t(13, k));
    Show_List_Pick(Combo_Txp[15], t(13, 15));
  } else if (Adj_Page == kOther) {
    for (int k = 0; k < 10; ++k) Show_List_Pick(Combo_vox[k], t(14, k));
    for (int k = 0; k < 6; ++k) Show_List_Pick(Combo_batt_comp[k], t(14, 10 + k));
    Show_Band_Limits();
    Show_Version();
  }
}

// Writing the text runs the box's change check, which stores the number back (or refuses a value
// the box does not take).
void frm_Adj_Txp::Show_Boxes(const Value_Boxes& v) {
  auto& boxes = Boxes(v);
  const int row = Box_Row(v);
  for (int k : boxes.indices()) boxes[k].setText(std::to_string(data_.Adj_Value(row, k)));
}

// Digits only, blanks around them allowed, an empty box is 0; every change is checked and
// stored, so a value typed digit by digit is refused at the first digit that takes it too far.
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
  data_.Adj_Value(Box_Row(v), k) = static_cast<std::int16_t>(n);
}

void frm_Adj_Txp::Refuse_Value(const Value_Boxes& v, int k) {
  kit::TextBox& box = Boxes(v)[k];
  Adj_Range_Prompt(prog_, v.max);
  box.setFocus();
  box.setText(std::to_string(data_.Adj_Default(Box_Row(v), k)));
}

// The lists of rows 12 and 13 take the number as their text, in the list or not; nothing is
// stored.
void frm_Adj_Txp::Show_List_Text(kit::ComboBox& box, int value) {
  box.setText(std::to_string(value));
}

// A list that picks its item by position. A value its list does not hold (read from an erased
// radio, loaded from a file) is shown as a number with no item picked, and the cell keeps it.
void frm_Adj_Txp::Show_List_Pick(kit::ComboBox& box, int value) {
  if (value >= 0 && value < box.listCount())
    box.setListIndex(value);
  else
    box.setText(std::to_string(value));
}

void frm_Adj_Txp::Store_Pick(kit::ComboBox& box, int row, int col) {
  if (box.listIndex() < 0) return;
  data_.Adj_Value(row, col) = static_cast<std::int16_t>(box.listIndex());
}

void frm_Adj_Txp::Show_Band_Limits() {
  const AdjTable& t = data_.Adj_Value;
  for (int i = 0; i < 3; ++i) {
    Text_Freq_L[i].setText(Limit_Text(t(15, 5 * i + 1), t(15, 5 * i + 2)));
    Text_Freq_H[i].setText(Limit_Text(t(15, 5 * i + 3), t(15, 5 * i + 4)));
    Check_Tx[i].setValue(t(15, 5 * i) > 0 ? 1 : 0);
  }
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
