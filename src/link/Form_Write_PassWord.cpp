#include "link/Form_Write_PassWord.h"

#include <algorithm>

#include "link/transfers.h"
#include "platform/runtime.h"
#include "platform/utf8.h"
#include "shell/program.h"

namespace j5 {

namespace {

const Bilingual kNotConsistent{"密码不一致", "Password is not consistent ."};
const Bilingual kBadNewPassword{"新密码最多 6 个字符（字母、数字或符号）",
                                "The new password is at most 6 letters, digits or signs."};

constexpr int kBlank = 0x20;
constexpr int kBackspace = 8;

// Sizes, in twips.
constexpr double kMargin = 240;
constexpr double kRowHeight = 300;
constexpr double kButtonWidth = 1100;
constexpr double kButtonHeight = 375;

}  // namespace

Form_Write_PassWord::Form_Write_PassWord(Program& program)
    : kit::Form(program.platform, "Form_Write_PassWord", program.Main_Form()),
      Transfer(*this, program, Password_Link(), *this),
      prog_(program) {
  setBorder(kit::Border::Fixed);
  for (kit::TextBox* box : {&Text_Old_PassWord, &Text_New_Password_1, &Text_New_PassWord_2}) {
    box->setPasswordChar('*');
    box->KeyPress = [this, box](int& key) { Password_KeyPress(*box, key); };
  }
  Transfer.Progress.Clear();
  Transfer.Progress.Label_tr_count.setVisible(false);
  Load = [this] { Form_Load(); };
  Unload = [this](int& cancel) { Form_Unload(cancel); };
  Text_Old_PassWord.Change = [this] { Text_Old_PassWord_Change(); };
  Command_Write.Click = [this] { Command_Write_Click(); };
  Command_Cancel.Click = [this] { Command_Cancel_Click(); };
}

Form_Write_PassWord::Pw_Code Form_Write_PassWord::Password_Codes(const std::string& text) {
  Pw_Code codes{};
  std::fill_n(codes.begin(), kPasswordLength, kBlank);
  const std::string t = rt::Trim(text);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < codes.size() && pos < t.size(); ++i)
    codes[i] = static_cast<int>(kit::utf8::decode(t, pos));
  return codes;
}

bool Form_Write_PassWord::Valid_New_Password(const std::string& text) {
  const std::string t = rt::Trim(text);
  return t.size() <= static_cast<std::size_t>(kPasswordLength) &&
         std::all_of(t.begin(), t.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

void Form_Write_PassWord::Form_Load() {
  setCaption(prog_.Text("修改密码", "Modify PassWord"));
  Label_old_PassWord.setCaption(prog_.Text("原密码", "Old PassWord"));
  Label_New_Password_1.setCaption(prog_.Text("新密码", "New PassWord"));
  Label_New_PassWord_2.setCaption(prog_.Text("确认新密码", "Confirm PassWord"));
  Command_Write.setCaption(prog_.Text("修改", "Modify"));
  Command_Cancel.setCaption(prog_.Text("关闭", "Close"));
  if (kit::MdiForm* main = prog_.Main_Form()) {
    const double w = main->scaleWidth() / 3, h = main->scaleHeight() / 2.5;
    move((main->scaleWidth() - w) / 2, (main->scaleHeight() - h) / 2 - 500, w, h);
  }
  show();
  Lay_Out();
  Text_Old_PassWord.setText("");
  Text_New_Password_1.setText("");
  Text_New_PassWord_2.setText("");
  Old_Pw_Code_ = Password_Codes("");
  New_Pw_Code_ = Password_Codes("");
}

void Form_Write_PassWord::Lay_Out() {
  const double cw = scaleWidth(), ch = scaleHeight();
  const double labelWidth = std::max(1200.0, cw * 0.4 - kMargin);
  const double boxLeft = kMargin + labelWidth;
  const double boxWidth = std::max(900.0, cw - boxLeft - kMargin);
  const double buttonTop = std::max(4 * kRowHeight, ch - kMargin - kButtonHeight);
  const double pitch = (buttonTop - kMargin) / 3;
  kit::Label* labels[] = {&Label_old_PassWord, &Label_New_Password_1, &Label_New_PassWord_2};
  kit::TextBox* boxes[] = {&Text_Old_PassWord, &Text_New_Password_1, &Text_New_PassWord_2};
  for (int i = 0; i < 3; ++i) {
    const double top = kMargin + i * pitch;
    labels[i]->move(kMargin, top + 45, labelWidth, kRowHeight);
    boxes[i]->move(boxLeft, top, boxWidth, kRowHeight);
  }
  Command_Write.move(cw / 2 - kButtonWidth - kMargin / 2, buttonTop, kButtonWidth, kButtonHeight);
  Command_Cancel.move(cw / 2 + kMargin / 2, buttonTop, kButtonWidth, kButtonHeight);
}

// Six characters at most, and only what can stand in a password byte: printable ASCII. Blanks at
// either end are not sent, so they are not counted; but once six characters stand, no key goes
// in, a blank neither, and no character goes in that would stand seventh behind an inner blank,
// where it would never be sent. The box shows only stars, which look the same whether a key went
// in or not: a key typed over a selection replaces it, the six counting the text it lands in.
void Form_Write_PassWord::Password_KeyPress(kit::TextBox& box, int& key) {
  if (key == kBackspace) return;
  auto length = [](const std::string& text) { return kit::utf8::length(rt::Trim(text)); };
  if (key < 0x20 || key > 0x7E || length(box.textWithoutSelection()) >= kPasswordLength ||
      length(box.textAfterKey(key)) > kPasswordLength)
    key = 0;
}

void Form_Write_PassWord::Text_Old_PassWord_Change() {
  Old_Pw_Code_ = Password_Codes(Text_Old_PassWord.text());
}

// Closing the window (the menu's reload, Exit, the title bar) under its exchange is refused as
// Close is.
void Form_Write_PassWord::Form_Unload(int& cancel) {
  if (Transfer.Unload_Refused()) cancel = 1;
}

void Form_Write_PassWord::Command_Write_Click() {
  // The running exchange writes the codes it started with.
  if (Transfer.Busy_Refused()) return;
  const std::string first = rt::Trim(Text_New_Password_1.text());
  if (first != rt::Trim(Text_New_PassWord_2.text())) {
    Prompt(prog_, kNotConsistent);
    return;
  }
  // Pasting gets past the typing rule; nothing but six bytes fits the block.
  if (!Valid_New_Password(first)) {
    Prompt(prog_, kBadNewPassword);
    return;
  }
  New_Pw_Code_ = Password_Codes(first);
  PassWord_Start();
}

void Form_Write_PassWord::PassWord_Start() {
  Block_Read = false;
  Started_Old_Code = Old_Pw_Code_;
  Transfer.Start(Password_Read_Plan());
}

void Form_Write_PassWord::Command_Cancel_Click() {
  if (Transfer.Close_Refused()) return;
  Link.Close_Port();
  unload();
}

// ---- The exchange -------------------------------------------------------------------------

void Form_Write_PassWord::Link_Block_Stored(int, std::uint16_t,
                                            std::span<const std::uint8_t> data) {
  if (data.size() < Block.size()) return;
  std::copy_n(data.begin(), Block.size(), Block.begin());
  Block_Read = true;
}

// Six blanks mean that no password is set; otherwise the old password must match all six bytes.
// The match is written behind an ACK, the blank block without one. Without a write the read
// ends, and its completion says that the old password is wrong.
std::optional<Write_Plan> Form_Write_PassWord::Link_Then_Write() {
  if (!Block_Read) return std::nullopt;
  const auto six = std::span(Block).first(kPasswordLength);
  const bool noPassword = std::all_of(six.begin(), six.end(), [](int b) { return b == kBlank; });
  const bool match = std::equal(six.begin(), six.end(), Started_Old_Code.begin());
  if (!noPassword && !match) return std::nullopt;
  return Password_Write_Plan(!noPassword);
}

// The new password in bytes 0 to 5; the rest of the block goes back as the radio holds it.
std::optional<std::array<std::uint8_t, 16>> Form_Write_PassWord::Link_Frame_Data(
    const Write_Step&) {
  std::array<std::uint8_t, 16> out = Block;
  for (int i = 0; i < kPasswordLength; ++i)
    out[static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(New_Pw_Code_[static_cast<std::size_t>(i)]);
  return out;
}

// A password the radio took, once its message is closed: the boxes and codes start empty again
// (the window closes soon).
void Form_Write_PassWord::Link_Done() {
  if (!Transfer.Writing() || Link.Last_Answer() != ACK) return;
  Old_Pw_Code_ = Password_Codes("");
  New_Pw_Code_ = Password_Codes("");
  Text_Old_PassWord.setText("");
  Text_New_Password_1.setText("");
  Text_New_PassWord_2.setText("");
}

}  // namespace j5
