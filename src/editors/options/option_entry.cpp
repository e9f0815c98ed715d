// The entries of the optional features window that check what they store:
// band choice, frequency, offset, tones and the channel count.
#include <string>

#include "data/bands.h"
#include "data/codecs.h"
#include "data/tables.h"
#include "editors/options/frm_option.h"
#include "editors/options/option_messages.h"
#include "editors/options/option_text.h"
#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/program.h"

namespace j5 {

namespace {

constexpr int kOffsetChars = 6;
constexpr int kBackspace = 8;

bool Is_Digit(int key) {
  return key >= '0' && key <= '9';
}

}  // namespace

void frm_option::Wire_Entry(Side& s) {
  s.Combo_Band.Click = [this, &s] { Combo_Band_Click(s); };
  s.Combo_Band.Change = [this, &s] { Combo_Band_Change(s); };
  s.Combo_Band.KeyPress = [](int& key) { key = 0; };
  s.Text_Freq.KeyPress = [this, &s](int& key) { Text_Freq_KeyPress(s.Text_Freq, key); };
  s.Text_Freq.Change = [this, &s] { Text_Length_Guard(s.Text_Freq, opt::kFreqChars); };
  s.Text_Freq.LostFocus = [this, &s] { Text_Freq_LostFocus(s); };
  s.Text_Offset.KeyPress = [this, &s](int& key) { Text_Freq_KeyPress(s.Text_Offset, key); };
  s.Text_Offset.Change = [this, &s] { Text_Length_Guard(s.Text_Offset, kOffsetChars); };
  s.Text_Offset.LostFocus = [this, &s] { Text_Offset_LostFocus(s); };
  for (kit::ComboBox* tone : {&s.Combo_r_ctdcs, &s.Combo_t_ctdcs}) {
    const int column = tone == &s.Combo_r_ctdcs ? 22 : 24;
    tone->Click = [this, &s, tone, column] { Combo_ctdcs_Click(s, *tone, column); };
    tone->KeyPress = [this](int& key) { Combo_ctdcs_KeyPress(key); };
    tone->LostFocus = [this, &s, tone, column] { Combo_ctdcs_LostFocus(s, *tone, column); };
  }
  if (&s == &Side_A) {
    Text_chann_total.Change = [this] { Text_chann_total_Change(); };
    Text_chann_total.LostFocus = [this] { Text_chann_total_LostFocus(); };
  }
}

std::int16_t& frm_option::Vfo(const Side& s, int k) {
  const fields::Place at = fields::At(s.row, k);
  return data_.Mem_Image(at.row, at.col);
}

void frm_option::Band_Limits(Side& s, int band) {
  if (band < 0 || band > 2) return;
  const Band_Span span = Radio_Band(data_, band);
  s.Band_Low = span.low, s.Band_High = span.high;
}

void frm_option::Combo_Band_Click(Side& s) {
  Band_Limits(s, s.Combo_Band.listIndex());
  // The same test as the frequency check: a frequency the check accepts
  // stays.
  if (!opt::In_Band(rt::Val_Or_Zero(s.Text_Freq.text()), s.Band_Low, s.Band_High))
    s.Text_Freq.setText(opt::Freq_Box_Text(opt::Freq_Below_Text(s.Band_Low)));
  s.Text_Range.setText(opt::Range_Text(s.Band_Low, s.Band_High));
  Settings.store(s.Combo_Band);
  Text_Freq_LostFocus(s);
}

void frm_option::Combo_Band_Change(Side& s) {
  if (s.Combo_Band.listIndex() < 0) s.Combo_Band.setListIndex(0);
}

void frm_option::Text_Freq_KeyPress(kit::TextBox& box, int& key) {
  if (key == kBackspace) return;
  if (key == '.') {
    // Only into an empty box is a point refused: typed over a selection it starts the number, so
    // ".6" typed over a whole offset gives 600 kHz, not the 6 MHz its digit alone would.
    if (rt::Trim(box.text()).empty()) key = 0;
  } else if (!Is_Digit(key) ||
             kit::utf8::length(rt::Trim(box.textAfterKey(key))) > opt::kFreqChars) {
    // The length counts the text as the digit will leave it: typed over a selection of a full
    // box, the digits replace it as the points do, and no point lands without its digits.
    key = 0;
  }
}

void frm_option::Text_Length_Guard(kit::TextBox& box, int limit) {
  if (kit::utf8::length(box.text()) <= limit) return;
  Prompt(prog_, opt::kMsgTooLong, Prompt_Title::Lower);
  box.setText("");
  box.setFocus();
}

void frm_option::Text_Freq_LostFocus(Side& s) {
  const double v = rt::Val_Or_Zero(s.Text_Freq.text());
  if (!opt::In_Band(v, s.Band_Low, s.Band_High)) {
    Prompt(prog_, opt::kMsgFreqRange, Prompt_Title::Chinese);
    // In a band that holds no frequency (limits beyond the digits) no entry passes: the box gets
    // the lower limit's text whichever way it missed, so the stored frequency stays put, and the
    // user may leave the box, which no entry could ever let go otherwise.
    const bool holds = opt::Band_Holds_A_Frequency(s.Band_Low, s.Band_High);
    if (holds) s.Text_Freq.setFocus();
    s.Text_Freq.setText(opt::Freq_Box_Text(v < s.Band_Low || !holds
                                               ? opt::Freq_Below_Text(s.Band_Low)
                                               : opt::Freq_Above_Text(s.Band_High)));
  }
  const long long units = opt::Freq_Store_Units(rt::Val_Or_Zero(s.Text_Freq.text()));
  s.Text_Freq.setText(opt::Freq_Digits_Text(opt::Freq_To_Digits(units)));
  Settings.store(s.Text_Freq);
  ++Freq_Checks_Running;
  struct Done {
    int& running;
    ~Done() { --running; }
  } done{Freq_Checks_Running};
  Show_Options();
}

void frm_option::Text_Offset_LostFocus(Side& s) {
  const double v = rt::Val_Or_Zero(s.Text_Offset.text());
  if (v < 0 || v > opt::kOffsetMaxMHz) {
    Prompt(prog_, opt::kMsgFreqRange, Prompt_Title::Chinese);
    s.Text_Offset.setFocus();
    s.Text_Offset.setText(v < 0 ? "0" : "59.95");
  }
  const int kHz = opt::Offset_Grid_kHz(rt::Val_Or_Zero(s.Text_Offset.text()));
  s.Text_Offset.setText(opt::Offset_Text(kHz));
  Settings.store(s.Text_Offset);
}

void frm_option::Combo_ctdcs_Click(Side& s, kit::ComboBox& box, int column) {
  // Nothing selected (a code no item names) leaves the stored bytes alone.
  const int index = box.listIndex();
  if (index < 0 || index > kToneListLast) return;
  const Tone_Bytes code = Tone_Pick_Code(index, box.text(), kDcsListOffset);
  Vfo(s, column) = static_cast<std::int16_t>(code[0]);
  Vfo(s, column + 1) = static_cast<std::int16_t>(code[1]);
}

void frm_option::Combo_ctdcs_KeyPress(int& key) {
  if (key == 'd' || key == 'n' || key == 'i') key -= 'a' - 'A';
  if (!Is_Digit(key) && key != '.' && key != 'D' && key != 'N' && key != 'I') key = 0;
}

void frm_option::Combo_ctdcs_LostFocus(Side& s, kit::ComboBox& box, int column) {
  // A list only looked at stores nothing: an item shows for codes it would not store back (an
  // erased code shows as off). A pick stored its code when it was made.
  if (!box.typedSinceFocus()) return;
  const int noted = box.listIndex();
  const std::string typed = opt::Tone_Typed_Text(box.text());
  for (int i = 0; i <= kToneListLast; ++i) {
    if (data_.Tone_List[static_cast<std::size_t>(i)] != typed) continue;
    // Typing a name the list holds already selects its item without a click,
    // so the code is stored here when the selection does not move.
    if (box.listIndex() != i) {
      box.setListIndex(i);
    } else {
      Combo_ctdcs_Click(s, box, column);
    }
    return;
  }
  box.setListIndex(noted);
  Show_Options();
}

void frm_option::Text_chann_total_Change() {
  // Only an entry of the user's is checked here: the counts the display and
  // the activation set are the image's own.
  if (!Text_chann_total.hasFocus()) return;
  if (opt::Chann_Count_Of(Text_chann_total.text())) return;
  Prompt(prog_, opt::kMsgChannCount, Prompt_Title::Upper);
  Text_chann_total.setText("128");
}

void frm_option::Text_chann_total_LostFocus() {
  if (const auto count = opt::Chann_Count_Of(Text_chann_total.text())) {
    data_.Chann_Total = static_cast<std::int16_t>(*count);
    data_.Mem_Image(Option_Block.first, 0) = data_.Chann_Total;
    Mirror_Option_Val();
    return;
  }
  Prompt(prog_, opt::kMsgChannCount, Prompt_Title::Upper);
  Text_chann_total.setFocus();
  Text_chann_total.setText("128");
}

}  // namespace j5
