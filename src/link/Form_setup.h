#pragma once
// The port window: the user picks COM1..COM16; OK opens the port and identifies the radio with
// its 8-byte identification frame, whose two bands become the first two band limits, or with the
// 14-byte frame of the start-up, whose three bands all take effect. The identification is an
// exchange like any other (Transfer_Link): while it runs, Exit, the language switch and the file
// dialogs wait for it; Cancel abandons it.

#include "link/link_engine.h"
#include "link/transfer_link.h"
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
  // The window shows no Label_tr_count or bar.
  Transfer_Link Transfer;
  Link_Engine& Link = Transfer.Link;

 private:
  Program& prog_;

  void Form_Load();
  void Form_Unload(int& cancel);
  void Command_ok_Click();
  void Command1_Click();
  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Done() override;
  void Link_Failed() override;
};

}  // namespace j5
