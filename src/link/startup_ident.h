#pragma once
// The main window's one identification of the radio at start-up: access code, ACK, STX, the
// 14-byte identification frame, whose band limits are stored and shown; then the port closes.
// It runs on the main window's own serial control and timers, which the engine creates on the
// window that owns this component, through Transfer_Link. It stores nothing of the image, so
// nothing waits for it: the program may end and the language switch while it runs (its outcome
// shows in the language of that moment), and files may be opened and saved.

#include "link/link_engine.h"
#include "link/transfer_link.h"
#include "shell/prompt.h"

namespace j5 {

class Program;

class Startup_Ident : Link_Listener {
 public:
  Startup_Ident(kit::Form& owner, Program& program);

  // The main window shows no Label_tr_count or bar.
  Transfer_Link Transfer;
  Link_Engine& Link = Transfer.Link;

  // The start-up probe's set-up of the port of Comm_Port: no message when it fails, only
  // Port_Error.
  void Open_Port() { Link.Open_Port(); }
  // Opens the port again and starts the exchange. When the port does not open, the failure
  // text goes into status panel 2 at once.
  void Link_Start();

 private:
  Program& prog_;
  void Panel(const Bilingual& text);
  void Link_Port_Error(bool restart) override;
  void Link_Identified(const Ident_Frame& frame) override;
  void Link_Done() override;
};

}  // namespace j5
