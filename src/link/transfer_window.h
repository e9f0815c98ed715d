#pragma once
// What the whole read and the whole write windows share: the Cancel and Help buttons, the
// transfer (link engine and progress piece with their texts), Timer4, the window's place and the
// band limits of the radio's identification.

#include <cstdint>
#include <string>

#include "data/shared_data.h"
#include "link/link_engine.h"
#include "link/transfer_link.h"
#include "platform/control.h"
#include "platform/form.h"

namespace j5 {

class Program;

class Transfer_Window : public kit::Form, protected Link_Listener {
 public:
  kit::CommandButton Command_Cancel{*this, "Command_Cancel"};
  kit::CommandButton Command_Help{*this, "Command_Help"};
  Transfer_Link Transfer;
  Transfer_Progress& Progress = Transfer.Progress;
  kit::Label& Label_tr_count = Progress.Label_tr_count;
  kit::ProgressBar& ProgressBar1 = Progress.ProgressBar1;
  kit::Timer Timer4{*this, "Timer4"};
  Link_Engine& Link = Transfer.Link;

 protected:
  Transfer_Window(Program& program, std::string name, std::int16_t Shared_Data::*flag,
                  const Transfer_Description& link);

  Program& prog_;
  // Polled by Timer4; nothing in these windows sets it.
  bool Unload_Req = false;

  // Form_Load's common part: window flag, Unload_Req, place, captions, show.
  void Load_Window(kit::CommandButton& start, const std::string& captionChn,
                   const std::string& captionEng, const std::string& startChn,
                   const std::string& startEng);
  // Read_Start, Write_Start: unless busy, opens the port when it is closed and starts the
  // exchange with the window's plan; the connecting text when the port opened.
  void Start_Transfer(Block_Plan plan);
  // Cancel: the busy message while a transfer runs, else close the port and the window.
  void Cancel();

  void Link_Identified(const Ident_Frame& frame) override;

 private:
  std::int16_t Shared_Data::*flag_;
  void Timer4_Timer();
  void Form_Unload(int& cancel);
};

}  // namespace j5
