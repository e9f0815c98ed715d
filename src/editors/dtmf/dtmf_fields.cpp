// The code boxes (six decode codes, the master, vice and own ID) and the fifteen encode groups.
// A code box stores every change of its text at once and judges the text when it loses the
// focus; an encode group stores its row when it loses the focus and takes any text.
#include <algorithm>

#include "editors/dtmf/dtmf_prompts.h"
#include "editors/dtmf/frm_dtmf.h"
#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/program.h"

namespace j5 {

namespace {

constexpr int kBackspace = 8;
constexpr int kFirstPrintable = 32;

bool isDigit(int key) {
  return key >= '0' && key <= '9';
}

}  // namespace

void frm_dtmf::Code_Box_KeyPress(Code_Box& c, int& key) {
  if (key == kBackspace) return;
  if (!isDigit(key)) {
    // Only digits are typed; a refused key leaves the box as it was.
    key = 0;
    return;
  }
  if (&c != &Code_Boxes[kAniBox]) {
    // A full code takes no more digits, whatever is selected: the refused digit changes nothing.
    if (kit::utf8::length(rt::Trim(c.box->text())) >= kDtmfFieldLen) key = 0;
    return;
  }
  // A full own ID starts again with this digit. Typed over a selection, the digit replaces it
  // instead (counted as the text will stand), so the digits outside the selection stay.
  if (kit::utf8::length(rt::Trim(c.box->textAfterKey(key))) > kDtmfFieldLen) c.box->setText("");
}

void frm_dtmf::Code_Box_GotFocus(Code_Box& c) {
  c.held = c.box->text();
}

std::string frm_dtmf::Check_Code_Text(const std::string& text) {
  switch (Code_Text_Fault(text)) {
    case Code_Fault::Too_Long:
      Prompt(prog_, dtmf_prompt::Too_Long, Prompt_Title::Upper_Quote);
      return "ERROR";
    case Code_Fault::Bad_Char:
      Prompt(prog_, dtmf_prompt::Bad_Char, Prompt_Title::Upper_Quote);
      return "ERROR";
    case Code_Fault::None:
      break;
  }
  return "";
}

void frm_dtmf::Code_Box_LostFocus(Code_Box& c) {
  // The focus is going to another window (or went there while a message was open), or to Close:
  // nobody is here to put the code right, so a code the box would not let go gives way to the one
  // it held before.
  auto left = [this] { return prog_.platform.activeForm() != this; };
  if (left() || prog_.platform.focusTarget() == &Command_close) return Put_Back(c);

  kit::TextBox& box = *c.box;
  const bool refused = Check_Code_Text(box.text()) == "ERROR";
  if (left()) return Put_Back(c);
  if (refused || box.text().empty()) {
    const bool wasEmpty = box.text().empty();
    box.setText("");
    if (wasEmpty) {
      // The focus stays: say why, and how to leave without a code.
      Prompt(prog_, dtmf_prompt::Empty, Prompt_Title::Upper);
      if (left()) return Put_Back(c);
    }
    box.setFocus();
    return;
  }
  if (kit::utf8::length(rt::Trim(box.text())) < 3) {
    Prompt(prog_, dtmf_prompt::Too_Short, Prompt_Title::Upper);
    if (left()) return Put_Back(c);
    box.setFocus();
  }
}

void frm_dtmf::Put_Back(Code_Box& c) {
  if (Code_Text_Accepted(c.box->text())) return;
  c.box->setText(c.held);
  Record.store(*c.box);  // also when the text was the same: the field holds its codes
}

void frm_dtmf::Put_Back_Refused_Code() {
  for (Code_Box& c : Code_Boxes)
    if (c.box->hasFocus()) Put_Back(c);
}

void frm_dtmf::Text_tx_Encode_KeyPress(int index, int& key) {
  // A full group starts again with the character typed (blanks count as characters here); one
  // typed over a selection counts the text as it will stand. Enter and the other control keys
  // type nothing, so they leave the group as it is.
  kit::TextBox& box = Text_tx_Encode[index];
  if (key >= kFirstPrintable && kit::utf8::length(box.textAfterKey(key)) > kDtmfFieldLen)
    box.setText("");
}

void frm_dtmf::Text_tx_Encode_LostFocus(int index) {
  // A group only looked at keeps its row: its five characters need not show every byte of it.
  if (!Text_tx_Encode[index].typedSinceFocus()) return;
  Record.store(Text_tx_Encode[index]);
  Show_Dtmf();
}

}  // namespace j5
