#pragma once
// The password window: the user types the old password once and the new one twice; Modify reads
// the radio's 16-byte password block at 0x1FF0, compares the stored password with the old one and
// writes the new one into the block. Only the hidden PC_PassWord entry opens it. Its exchange
// runs on a Transfer_Link with the password texts (Password_Link): the window keeps only the
// block, the check of the old password and the frame it writes.

#include <array>
#include <cstdint>
#include <string>

#include "link/link_engine.h"
#include "link/transfer_link.h"
#include "platform/control.h"
#include "platform/form.h"

namespace j5 {

class Program;

class Form_Write_PassWord : public kit::Form, Link_Listener {
 public:
  explicit Form_Write_PassWord(Program& program);

  kit::Label Label_old_PassWord{*this, "Label_old_PassWord"};
  kit::TextBox Text_Old_PassWord{*this, "Text_Old_PassWord"};
  kit::Label Label_New_Password_1{*this, "Label_New_Password_1"};
  kit::TextBox Text_New_Password_1{*this, "Text_New_Password_1"};
  kit::Label Label_New_PassWord_2{*this, "Label_New_PassWord_2"};
  kit::TextBox Text_New_PassWord_2{*this, "Text_New_PassWord_2"};
  kit::CommandButton Command_Write{*this, "Command_Write"};
  kit::CommandButton Command_Cancel{*this, "Command_Cancel"};
  // Its Timer4 closes the window after the write; the window shows no Label_tr_count or bar.
  Transfer_Link Transfer;
  Link_Engine& Link = Transfer.Link;
  kit::SerialPort& MSC = Link.MSC;

  static constexpr int kPasswordLength = 6;

  // A password's six codes: its characters without the blanks around it, blanks after the last.
  // Characters past the sixth are kept but never sent or compared.
  using Pw_Code = std::array<int, 17>;
  static Pw_Code Password_Codes(const std::string& text);
  // A new password is at most six printable ASCII characters.
  static bool Valid_New_Password(const std::string& text);

  const Pw_Code& Old_Pw_Code() const { return Old_Pw_Code_; }
  const Pw_Code& New_Pw_Code() const { return New_Pw_Code_; }

 private:
  Program& prog_;
  Pw_Code Old_Pw_Code_{};
  Pw_Code New_Pw_Code_{};
  // The old password as it stood when the exchange started: the check compares with it, whatever
  // the box holds by the time the block arrives.
  Pw_Code Started_Old_Code{};
  // The block as the radio holds it, taken from the reply to the read.
  std::array<std::uint8_t, 16> Block{};
  bool Block_Read = false;

  void Form_Load();
  void Form_Unload(int& cancel);
  void Lay_Out();
  void Password_KeyPress(kit::TextBox& box, int& key);
  void Text_Old_PassWord_Change();
  void Command_Write_Click();
  void Command_Cancel_Click();
  void PassWord_Start();

  void Link_Block_Stored(int step, std::uint16_t address,
                         std::span<const std::uint8_t> data) override;
  std::optional<Write_Plan> Link_Then_Write() override;
  std::optional<std::array<std::uint8_t, 16>> Link_Frame_Data(const Write_Step& step) override;
  void Link_Done() override;
};

}  // namespace j5
