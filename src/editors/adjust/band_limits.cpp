// The band-limit boxes of the last page: a lower and an upper limit per band in whole MHz,
// checked when a box is left and then packed into Adj_Value row 15 as band limit pairs.
#include <cmath>

#include "editors/adjust/adj_prompts.h"
#include "editors/adjust/frm_Adj_Txp.h"
#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/program.h"

namespace j5 {

namespace {

// The number a limit box spells (an empty or non-numeric text is 0). A text too large for any
// number counts as the largest one of its sign, so it is refused like any limit out of range.
double Limit_Value(const std::string& text) {
  try {
    return rt::Val(text);
  } catch (const rt::OverflowError&) {
    const std::string t = rt::Trim(text);
    return !t.empty() && t[0] == '-' ? -HUGE_VAL : HUGE_VAL;
  }
}

// A limit of 0..999 MHz as its two bytes: the hundreds digit, then tens and units as two BCD
// digits. False for a value that has no such form.
bool Limit_Pair(double value, std::int16_t& hundreds, std::int16_t& tensUnits) {
  const double v = rt::Int(value);
  if (!(v >= 0 && v <= 999)) return false;
  const int n = static_cast<int>(v);
  hundreds = static_cast<std::int16_t>(n / 100);
  tensUnits = static_cast<std::int16_t>(n / 10 % 10 * 16 + n % 10);
  return true;
}

}  // namespace

// Up to four characters can be typed (the fourth is still let through); after that every
// character key, Backspace included, is discarded.
void frm_Adj_Txp::Text_Freq_KeyPress(kit::TextBox& box, int& key) {
  if (kit::utf8::length(rt::Trim(box.text())) > 3) key = 0;
}

void frm_Adj_Txp::Text_Freq_L_LostFocus(int k) {
  const double low = Limit_Value(Text_Freq_L[k].text());
  if (low < Band_Min[static_cast<std::size_t>(k)])
    return Refuse_Limit(Text_Freq_L[k], Band_Min[static_cast<std::size_t>(k)],
                        Adj_Msg::Lower_Below_Min);
  if (Limit_Value(Text_Freq_H[k].text()) < low)
    return Refuse_Limit(Text_Freq_L[k], Band_Min[static_cast<std::size_t>(k)],
                        Adj_Msg::Lower_Above_Upper);
  Pack_Band_Limits();
}

void frm_Adj_Txp::Text_Freq_H_LostFocus(int k) {
  const double high = Limit_Value(Text_Freq_H[k].text());
  if (high > Band_Max[static_cast<std::size_t>(k)])
    return Refuse_Limit(Text_Freq_H[k], Band_Max[static_cast<std::size_t>(k)],
                        Adj_Msg::Upper_Above_Max);
  if (Limit_Value(Text_Freq_L[k].text()) > high)
    return Refuse_Limit(Text_Freq_H[k], Band_Max[static_cast<std::size_t>(k)],
                        Adj_Msg::Upper_Below_Lower);
  Pack_Band_Limits();
}

// The refused box shows the band's outer limit and keeps the focus (the focus move is cancelled).
void frm_Adj_Txp::Refuse_Limit(kit::TextBox& box, int value, Adj_Msg message) {
  Adj_Prompt(prog_, message);
  box.setText(std::to_string(value));
  box.setFocus();
}

// All six limits are packed from the numbers their boxes spell, the same numbers the checks
// compared (" 1 50" is 150, "150.7" is 150), so the table holds what was accepted. A box whose
// number has no pair form keeps the bytes it had; the transmit-enable bytes and byte 15 are
// never touched.
void frm_Adj_Txp::Pack_Band_Limits() {
  for (int k = 0; k < 3; ++k) {
    const kit::TextBox* boxes[] = {&Text_Freq_L[k], &Text_Freq_H[k]};
    for (int h = 0; h < 2; ++h) {
      std::int16_t hundreds = 0, tensUnits = 0;
      if (!Limit_Pair(Limit_Value(boxes[h]->text()), hundreds, tensUnits)) continue;
      data_.Adj_Value(15, 5 * k + 1 + 2 * h) = hundreds;
      data_.Adj_Value(15, 5 * k + 2 + 2 * h) = tensUnits;
    }
  }
}

}  // namespace j5
