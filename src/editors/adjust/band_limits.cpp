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

// The limit as its three digits: the hundreds from the first byte's low nibble, then the two
// nibbles of the second. A cell outside a byte's range (only a hand-made file holds one) has no
// such form and shows nothing.
std::string Limit_Text(int hundreds, int tensUnits) {
  if (hundreds < 0 || hundreds > 255 || tensUnits < 0 || tensUnits > 255) return "";
  return std::to_string(hundreds & 0x0F) + std::to_string(tensUnits / 16) +
         std::to_string(tensUnits % 16);
}

// Band_Limit_Pair as the limit boxes show and store it. What is stored is the number the box
// spells, the same number the leave checks compared (" 1 50" is 150, "150.7" is 150), so the
// table holds what was accepted; a number with no pair form stores nothing.
fields::Codec Band_Limit_Codec() {
  return {2, [](std::span<const std::int16_t> b) { return Limit_Text(b[0], b[1]); },
          [](std::span<std::int16_t> b, std::string_view text) {
            return Limit_Pair(rt::Val_Unbounded(text), b[0], b[1]);
          }};
}

}  // namespace

// Per band: the lower and the upper limit (stored only by Pack_Band_Limits), then the transmit
// flag, which the window shows and never stores.
void frm_Adj_Txp::Bind_Band_Limits() {
  for (int k = 0; k < 3; ++k) {
    Other.text(Text_Freq_L[k], fields::Coded{{15, 5 * k + 1}, Band_Limit_Codec()}, false);
    Other.text(Text_Freq_H[k], fields::Coded{{15, 5 * k + 3}, Band_Limit_Codec()}, false);
    Other.step([this, k] { Check_Tx[k].setValue(data_.Adj_Value(15, 5 * k) > 0 ? 1 : 0); });
  }
}

// Up to four characters can be typed (the fourth is still let through); after that every
// character key, Backspace included, is discarded, whatever is selected: only Delete removes
// characters then. A refused key changes nothing.
void frm_Adj_Txp::Text_Freq_KeyPress(kit::TextBox& box, int& key) {
  if (kit::utf8::length(rt::Trim(box.text())) > 3) key = 0;
}

void frm_Adj_Txp::Text_Freq_L_LostFocus(int k) {
  const double low = rt::Val_Unbounded(Text_Freq_L[k].text());
  if (low < Band_Min[static_cast<std::size_t>(k)])
    return Refuse_Limit(Text_Freq_L[k], Band_Min[static_cast<std::size_t>(k)],
                        Adj_Msg::Lower_Below_Min);
  if (rt::Val_Unbounded(Text_Freq_H[k].text()) < low)
    return Refuse_Limit(Text_Freq_L[k], Band_Min[static_cast<std::size_t>(k)],
                        Adj_Msg::Lower_Above_Upper);
  Pack_Entered_Limit(Text_Freq_L[k]);
}

void frm_Adj_Txp::Text_Freq_H_LostFocus(int k) {
  const double high = rt::Val_Unbounded(Text_Freq_H[k].text());
  if (high > Band_Max[static_cast<std::size_t>(k)])
    return Refuse_Limit(Text_Freq_H[k], Band_Max[static_cast<std::size_t>(k)],
                        Adj_Msg::Upper_Above_Max);
  if (rt::Val_Unbounded(Text_Freq_L[k].text()) > high)
    return Refuse_Limit(Text_Freq_H[k], Band_Max[static_cast<std::size_t>(k)],
                        Adj_Msg::Upper_Below_Lower);
  Pack_Entered_Limit(Text_Freq_H[k]);
}

// The refused box shows the band's outer limit and keeps the focus (the focus move is cancelled).
void frm_Adj_Txp::Refuse_Limit(kit::TextBox& box, int value, Adj_Msg message) {
  Adj_Prompt(prog_, message);
  box.setText(std::to_string(value));
  Limit_Put_In = &box;
  box.setFocus();
}

// A box left as it was shown packs nothing: the boxes show a limit's bytes only in part. What the
// user typed there, or the limit a refusal put in, is packed with the other five.
void frm_Adj_Txp::Pack_Entered_Limit(const kit::TextBox& box) {
  if (!box.typedSinceFocus() && Limit_Put_In != &box) return;
  Limit_Put_In = nullptr;
  Pack_Band_Limits();
}

// All six limits are packed, also those of bands whose boxes were not touched; the
// transmit-enable bytes and byte 15 are never touched.
void frm_Adj_Txp::Pack_Band_Limits() {
  for (int k = 0; k < 3; ++k) {
    Other.store(Text_Freq_L[k]);
    Other.store(Text_Freq_H[k]);
  }
}

}  // namespace j5
