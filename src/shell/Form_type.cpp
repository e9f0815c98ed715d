#include "shell/Form_type.h"

#include <algorithm>

#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/program.h"

namespace j5 {

namespace {

// Characters [from, from + count) of text, counted from 0; fewer when the text is shorter.
std::string Chars(const std::string& text, int from, int count) {
  const int n = kit::utf8::length(text);
  if (from >= n) return "";
  const std::size_t a = kit::utf8::offset(text, from);
  const std::size_t b = kit::utf8::offset(text, std::min(n, from + count));
  return text.substr(a, b - a);
}

// Sizes, in twips.
constexpr double kMargin = 180;
constexpr double kRowHeight = 300;
constexpr double kLabelWidth = 900;
constexpr double kButtonWidth = 1100;
constexpr double kButtonHeight = 375;

}  // namespace

Form_type::Form_type(Program& program)
    : kit::Form(program.platform, "Form_type", program.Main_Form()), prog_(program) {
  setBorder(kit::Border::Fixed);
  Label_VHF.setCaption("VHF0");
  Label_UHF.setCaption("UHF0");
  // The two ranges are shown, never edited.
  Text_VHF.setEnabled(false);
  Text_UHF.setEnabled(false);
  for (kit::Control* c :
       std::initializer_list<kit::Control*>{&Label_VHF, &Text_VHF, &Label_UHF, &Text_UHF})
    c->setContainer(Frame1);
  Combo_type.setTabIndex(0);
  Command_enter.setTabIndex(1);
  Command_Cancel.setTabIndex(2);

  Load = [this] { Form_Load(); };
  Combo_type.Click = [this] { Combo_type_Click(); };
  Combo_type.KeyPress = [this](int& key) { Combo_type_KeyPress(key); };
  Combo_type.Change = [this] { Combo_type_Change(); };
  Command_enter.Click = [this] { Command_enter_Click(); };
  Command_Cancel.Click = [this] { Command_Cancel_Click(); };
}

std::string Form_type::Limit_Text(int mhz) {
  return rt::Str(mhz);
}

std::string Form_type::First_Pair_Name(const std::string& modelName) {
  return Chars(rt::Trim(modelName), 0, 4);
}

std::string Form_type::Second_Pair_Name(const std::string& modelName) {
  return Chars(rt::Trim(modelName), 5, 4);
}

std::string Form_type::Range_Text(int low, int high) {
  return Limit_Text(low) + "MHZ  " + "-  " + Limit_Text(high) + "MHZ";
}

void Form_type::Form_Load() {
  setCaption(prog_.Text("机型选择", "Model Select"));
  Command_enter.setCaption(prog_.Text("确 定", "Confirm"));
  Command_Cancel.setCaption(prog_.Text("取 消", "Cancel"));
  Label1.setCaption(prog_.Text("机  型", "Model"));
  if (kit::MdiForm* main = prog_.Main_Form()) {
    const double w = main->scaleWidth() / 2.5, h = main->scaleHeight() / 2.5;
    move((main->scaleWidth() - w) / 2, (main->scaleHeight() - h) / 2 - 500, w, h);
  }
  show();
  Lay_Out();

  Shared_Data& d = prog_.data;
  Combo_type.clear();
  Combo_type.addItem(d.Model_Name[0]);
  // Only this window sets Model_Index, always to an entry of its list.
  const int index =
      d.Model_Index >= 0 && d.Model_Index < Combo_type.listCount() ? d.Model_Index : 0;
  Combo_type.setListIndex(index);
  const int k = Combo_type.listIndex();
  Set_Band_Limits(k);
  Show_Variant(k);
}

void Form_type::Lay_Out() {
  const double cw = scaleWidth(), ch = scaleHeight();
  const double comboLeft = kMargin + kLabelWidth;
  Label1.move(kMargin, kMargin + 60, kLabelWidth, kRowHeight);
  Combo_type.move(comboLeft, kMargin, std::max(600.0, cw - comboLeft - kMargin), kRowHeight);
  const double frameTop = 2 * kMargin + kRowHeight;
  const double buttonTop = std::max(frameTop, ch - kMargin - kButtonHeight);
  const double frameHeight = std::max(4 * kRowHeight, buttonTop - kMargin - frameTop);
  Frame1.move(kMargin, frameTop, cw - 2 * kMargin, frameHeight);
  // Inside the frame: the two pairs one above the other, their names left of their ranges.
  const double rowGap = (frameHeight - 2 * kRowHeight) / 3;
  const double textWidth = std::max(600.0, Frame1.width() - 2 * kMargin - kLabelWidth);
  Label_VHF.move(kMargin, rowGap + 60, kLabelWidth, kRowHeight);
  Text_VHF.move(kMargin + kLabelWidth, rowGap, textWidth, kRowHeight);
  Label_UHF.move(kMargin, 2 * rowGap + kRowHeight + 60, kLabelWidth, kRowHeight);
  Text_UHF.move(kMargin + kLabelWidth, 2 * rowGap + kRowHeight, textWidth, kRowHeight);
  Command_enter.move(cw / 2 - kButtonWidth - kMargin, buttonTop, kButtonWidth, kButtonHeight);
  Command_Cancel.move(cw / 2 + kMargin, buttonTop, kButtonWidth, kButtonHeight);
}

void Form_type::Set_Band_Limits(int k) {
  Shared_Data& d = prog_.data;
  const auto r = static_cast<std::size_t>(k);
  d.VHF_Low = d.Model_Band(r, 0);
  d.VHF_High = d.Model_Band(r, 1);
  d.UHF0_Low = d.Model_Band(r, 2);
  d.UHF0_High = d.Model_Band(r, 3);
}

void Form_type::Show_Variant(int k) {
  if (k < 0) return;
  const Shared_Data& d = prog_.data;
  const auto r = static_cast<std::size_t>(k);
  Label_VHF.setCaption(First_Pair_Name(d.Model_Name[r]));
  Label_UHF.setCaption(Second_Pair_Name(d.Model_Name[r]));
  Text_VHF.setText(Range_Text(d.Model_Band(r, 0), d.Model_Band(r, 1)));
  Text_UHF.setText(Range_Text(d.Model_Band(r, 2), d.Model_Band(r, 3)));
}

void Form_type::Combo_type_Click() {
  Show_Variant(Combo_type.listIndex());
}

void Form_type::Combo_type_KeyPress(int& key) {
  key = 0;
}

void Form_type::Combo_type_Change() {
  Combo_type.setFocus();
  Combo_type.setText(Empty_Text);
}

void Form_type::Command_enter_Click() {
  const int k = Combo_type.listIndex();
  // The text part was emptied and nothing is picked: there is no variant to apply.
  if (k < 0) return;
  Set_Band_Limits(k);
  Shared_Data& d = prog_.data;
  d.Model_Index = static_cast<std::int16_t>(k);
  const std::string& name = d.Model_Name[static_cast<std::size_t>(k)];
  prog_.Set_Panel(
      7, First_Pair_Name(name) + ":" + rt::Str(d.VHF_Low) + " -  " + rt::Str(d.VHF_High) + "MHZ");
  prog_.Set_Panel(8, Second_Pair_Name(name) + ":" + rt::Str(d.UHF0_Low) + " -  " +
                         rt::Str(d.UHF0_High) + "MHZ");
  unload();
}

void Form_type::Command_Cancel_Click() {
  unload();
}

}  // namespace j5
