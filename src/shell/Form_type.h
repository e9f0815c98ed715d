#pragma once
// The model window: the user picks the radio's band variant, whose first two band pairs become the
// band limits the channel editor checks frequencies against. Only the hidden Band_Range entry opens
// it; the list offers variant 0 alone.

#include <string>

#include "platform/control.h"
#include "platform/form.h"

namespace j5 {

class Program;

class Form_type : public kit::Form {
 public:
  explicit Form_type(Program& program);

  kit::Frame Frame1{*this, "Frame1"};
  kit::Label Label1{*this, "Label1"};
  kit::ComboBox Combo_type{*this, "Combo_type"};
  kit::Label Label_VHF{*this, "Label_VHF"};
  kit::TextBox Text_VHF{*this, "Text_VHF"};
  kit::Label Label_UHF{*this, "Label_UHF"};
  kit::TextBox Text_UHF{*this, "Text_UHF"};
  kit::CommandButton Command_enter{*this, "Command_enter"};
  kit::CommandButton Command_Cancel{*this, "Command_Cancel"};

  // The texts this window builds from a variant's names and limits.
  static std::string Limit_Text(int mhz);
  static std::string First_Pair_Name(const std::string& modelName);
  static std::string Second_Pair_Name(const std::string& modelName);
  static std::string Range_Text(int low, int high);

 private:
  Program& prog_;
  // Nothing assigns it: a change of the list's text puts this empty text back.
  std::string Empty_Text;

  void Form_Load();
  void Lay_Out();
  void Show_Variant(int k);
  void Set_Band_Limits(int k);
  void Combo_type_Click();
  void Combo_type_KeyPress(int& key);
  void Combo_type_Change();
  void Command_enter_Click();
  void Command_Cancel_Click();
};

}  // namespace j5
