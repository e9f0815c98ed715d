#pragma once
// The port window: the user picks COM1..COM16; OK opens the port and identifies the radio with
// its 8-byte identification frame, whose two bands become the first two band limits, or with the
// 14-byte frame of the start-up, whose three bands all take effect.

#include "link/link_engine.h"
#include "platform/control.h"
#include "platform/form.h"

namespace j5 {

class Program;

class Form_setup : public kit::Form, Link_Listener {
 public:
  explicit Form_setup(Program& program);

  kit::Frame Frame1{*this, "Frame1"};
  kit::ControlArray<kit::OptionButton> Option_Port{*this, "Option_Port", 16};
  kit::CommandButton Command_ok{*this, "Command_ok"};
  kit::CommandButton Command1{*this, "Command1"};
  Link_Engine Link;

 private:
  Program& prog_;
  // OK has started the exchange; the window closes itself at either end of it.
  bool Exchange_Started = false;

  void Form_Load();
  void Form_Unload(int& cancel);
  void Command_ok_Click();
  void Command1_Click();
  void Link_Port_Error(bool restart) override;
  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Done() override;
  void Link_Timed_Out() override;
  void Link_Failed() override;
};

}  // namespace j5
