// The copies' control handlers: the list guards, the interlocks between compander and scramblers,
// synchronous display and dual watch, dual watch and its transmit band, and the text checks.
#include <cmath>
#include <functional>

#include "data/bands.h"
#include "editors/option_copies/copy_messages.h"
#include "editors/option_copies/copy_text.h"
#include "editors/option_copies/option_copy_window.h"
#include "editors/options/option_text.h"
#include "platform/runtime.h"
#include "shell/program.h"

namespace j5 {

namespace {

// Runs `more` after what the control's event already does (its binding's store).
void Then(std::function<void()>& event, std::function<void()> more) {
  event = [first = event, more = std::move(more)] {
    if (first) first();
    more();
  };
}

}  // namespace

void Option_Copy_Window::Wire_Handlers() {
  // Every list keeps an item selected: typed text that selects none gives way to the first item.
  // The tone lists guard only what was typed, so a tone the display writes as text stays.
  for (kit::Control* c : controls()) {
    auto* box = dynamic_cast<kit::ComboBox*>(c);
    if (!box) continue;
    const bool tone = box == &Combo_r_ctdcs_a || box == &Combo_t_ctdcs_a ||
                      box == &Combo_r_ctdcs_b || box == &Combo_t_ctdcs_b;
    if (tone) {
      box->KeyPress = [this](int&) { Tone_Typed = true; };
      box->Change = [this, box] { Tone_Guard(*box); };
    } else {
      box->Change = [this, box] { List_Guard(*box); };
    }
  }
  Then(Check_tdr.Click, [this] { Check_tdr_Click(); });
  Then(Check_chann_syn.Click, [this] { Check_chann_syn_Click(); });
  Then(Check_comp.Click, [this] { Check_comp_Click(); });
  Then(Combo_scr_a.Click, [this] { Combo_scr_Click(Combo_scr_a); });
  Then(Combo_scr_b.Click, [this] { Combo_scr_Click(Combo_scr_b); });

  Text_chann_total.Change = [this] { Text_chann_total_Change(); };
  Text_chann_total.LostFocus = [this] { Text_chann_total_LostFocus(); };
  Text_Freq_a.LostFocus = [this] { Text_Freq_LostFocus(Text_Freq_a, true); };
  Text_Freq_b.LostFocus = [this] { Text_Freq_LostFocus(Text_Freq_b, false); };
  Text_menu_pwd.LostFocus = [this] { Text_menu_pwd_LostFocus(); };
  Text_pvfo_d0.LostFocus = [this] { Text_pvfo_d0_LostFocus(); };
  Text_pvfo_d1.LostFocus = [this] { Text_pvfo_d1_LostFocus(); };
  Text_pvfo_t0.LostFocus = [this] { Text_pvfo_t0_LostFocus(); };
  Text_pvfo_t1.LostFocus = [this] { Text_pvfo_t1_LostFocus(); };
}

// ---- Lists --------------------------------------------------------------------------------------

// A list being refilled holds no item for a moment: there is nothing to select then.
void Option_Copy_Window::List_Guard(kit::ComboBox& box) {
  if (box.listIndex() < 0 && box.listCount() > 0) box.setListIndex(0);
}

void Option_Copy_Window::Tone_Guard(kit::ComboBox& box) {
  if (!Tone_Typed) return;
  List_Guard(box);
  Tone_Typed = false;
}

void Option_Copy_Window::Check_tdr_Click() {
  Combo_Tdr_ab.setEnabled(Check_tdr.value() == 1);
}

void Option_Copy_Window::Check_chann_syn_Click() {
  if (Check_chann_syn.value() == 1) Check_tdr.setValue(0);
}

void Option_Copy_Window::Check_comp_Click() {
  if (Check_comp.value() != 1) return;
  Combo_scr_a.setListIndex(0);
  Combo_scr_b.setListIndex(0);
}

void Option_Copy_Window::Combo_scr_Click(kit::ComboBox& box) {
  if (box.listIndex() > 0) Check_comp.setValue(0);
}

// ---- Text checks --------------------------------------------------------------------------------

void Option_Copy_Window::Text_chann_total_Change() {
  if (copy::Count_Accepted(Text_chann_total.text())) return;
  Prompt(prog_, copy::kMsgChannCount, Prompt_Title::Upper);
  Text_chann_total.setFocus();
  Text_chann_total.setText("128");
}

void Option_Copy_Window::Text_chann_total_LostFocus() {
  if (const auto count = copy::Count_Accepted(Text_chann_total.text())) {
    data_.Chann_Total = static_cast<std::int16_t>(*count);
    return;
  }
  Prompt(prog_, copy::kMsgChannCount, Prompt_Title::Upper);
  Text_chann_total.setFocus();
  Text_chann_total.setText("128");
}

void Option_Copy_Window::Text_Freq_LostFocus(kit::TextBox& box, bool chineseOnly) {
  const double f = rt::Val_Unbounded(box.text());
  const Band_Span vhf = Radio_Band(data_, 0);
  if (vhf.Holds(f)) {
    // Only an entry is put on the raster: a frequency shown as read is packed as read.
    if (box.typedSinceFocus()) box.setText(copy::Freq_Accepted_Text(f));
    return;
  }
  if (chineseOnly) {
    prog_.platform.messageBox(copy::kMsgFreqA.chn, "操作提示", kit::MsgIcon::Exclamation);
  } else {
    Prompt(prog_, copy::kMsgFreqB, Prompt_Title::Lower);
  }
  box.setFocus();
  box.setText(f < vhf.low ? opt::Freq_Below_Text(vhf.low) : opt::Freq_Above_Text(vhf.high));
}

void Option_Copy_Window::Text_menu_pwd_LostFocus() {
  const copy::Pwd_Problem problem = copy::Pwd_Check(Text_menu_pwd.text());
  if (problem == copy::Pwd_Problem::None) return;
  Prompt(prog_, problem == copy::Pwd_Problem::Length ? copy::kMsgPwdLength : copy::kMsgPwdRange,
         Prompt_Title::Upper);
  Text_menu_pwd.setFocus();
}

void Option_Copy_Window::Reset_Receive_Limits() {
  const Band_Span vhf = Radio_Band(data_, 0);
  Text_pvfo_d0.setText(copy::Number_Text(vhf.low));
  Text_pvfo_d1.setText(copy::Number_Text(vhf.high - 1));
}

namespace {

double V(const kit::TextBox& box) {
  return rt::Val_Unbounded(box.text());
}

}  // namespace

void Option_Copy_Window::Text_pvfo_d0_LostFocus() {
  const double low = Radio_Band(data_, 0).low;
  const Bilingual* problem = V(Text_pvfo_d0) < low               ? &copy::kMsgRxLowBand
                             : V(Text_pvfo_d1) < V(Text_pvfo_d0) ? &copy::kMsgRxLowOrder
                                                                 : nullptr;
  if (problem) {
    Prompt(prog_, *problem, Prompt_Title::Upper);
    Reset_Receive_Limits();
    Text_pvfo_d0.setFocus();
    return;
  }
  if (V(Text_pvfo_d0) > V(Text_pvfo_t0)) Text_pvfo_t0.setText(Text_pvfo_d0.text());
  if (V(Text_pvfo_t1) < V(Text_pvfo_t0)) Text_pvfo_t1.setText(Text_pvfo_t0.text());
}

void Option_Copy_Window::Text_pvfo_d1_LostFocus() {
  const double high = Radio_Band(data_, 0).high;
  const Bilingual* problem = V(Text_pvfo_d1) > high - 1          ? &copy::kMsgRxHighBand
                             : V(Text_pvfo_d0) > V(Text_pvfo_d1) ? &copy::kMsgRxHighOrder
                                                                 : nullptr;
  if (problem) {
    Prompt(prog_, *problem, Prompt_Title::Upper);
    Reset_Receive_Limits();
    Text_pvfo_d1.setFocus();
    return;
  }
  if (V(Text_pvfo_t1) > V(Text_pvfo_d1)) Text_pvfo_t1.setText(Text_pvfo_d1.text());
  if (V(Text_pvfo_t1) < V(Text_pvfo_t0)) Text_pvfo_t1.setText(Text_pvfo_t0.text());
}

void Option_Copy_Window::Text_pvfo_t0_LostFocus() {
  if (V(Text_pvfo_t1) < V(Text_pvfo_t0)) {
    Prompt(prog_, copy::kMsgTxLowOrder, Prompt_Title::Upper);
    Text_pvfo_t0.setText(Text_pvfo_t1.text());
    Text_pvfo_t0.setFocus();
  } else if (V(Text_pvfo_d0) > V(Text_pvfo_t0)) {
    Prompt(prog_, copy::kMsgTxLowRx, Prompt_Title::Upper);
    Text_pvfo_t0.setFocus();
  }
}

void Option_Copy_Window::Text_pvfo_t1_LostFocus() {
  if (V(Text_pvfo_d1) < V(Text_pvfo_t1)) {
    Prompt(prog_, copy::kMsgTxHighRx, Prompt_Title::Upper);
    Text_pvfo_t1.setText(Text_pvfo_d1.text());
    Text_pvfo_t1.setFocus();
  } else if (V(Text_pvfo_t0) > V(Text_pvfo_t1)) {
    Prompt(prog_, copy::kMsgTxHighOrder, Prompt_Title::Upper);
    Text_pvfo_t1.setText(Text_pvfo_t0.text());
    Text_pvfo_t1.setFocus();
  }
}

}  // namespace j5
