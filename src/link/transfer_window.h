#pragma once
// What the whole read and the whole write windows share: the Cancel and Help buttons, the
// progress label and bar, the link with its Timer4, the window's place, its busy messages and
// the failure report after a time-out.

#include <cstdint>
#include <string>

#include "data/shared_data.h"
#include "link/radio_link.h"
#include "platform/control.h"
#include "platform/form.h"

namespace j5 {

class Program;

class Transfer_Window : public kit::Form {
 public:
  kit::CommandButton Command_Cancel{*this, "Command_Cancel"};
  kit::CommandButton Command_Help{*this, "Command_Help"};
  kit::Label Label_tr_count{*this, "Label_tr_count"};
  kit::ProgressBar ProgressBar1{*this, "ProgressBar1"};
  kit::Timer Timer4{*this, "Timer4"};
  Radio_Link Link;

 protected:
  Transfer_Window(Program& program, std::string name, std::int16_t SharedData::*flag,
                  Link_Setup setup);

  Program& prog_;

  // Form_Load's common part: window flag, Unload_Req, place, captions, show.
  void Load_Window(kit::CommandButton& start, const std::string& captionChn,
                   const std::string& captionEng, const std::string& startChn,
                   const std::string& startEng);
  // "Read-write operating with transceiver ." (a start pressed while busy).
  void Busy_Message();
  // "Read-write operating, don't close the window." (closing while busy).
  void Close_Busy_Message();
  // Read_Start, Write_Start: unless busy, opens the port when it is closed and starts the
  // exchange at base address 0 with the window's block counter at 0.
  void Start_Transfer(int& counter);
  // Cancel when idle: close the port and the window.
  void Close_Window();
  // The connecting text after a start that opened the port.
  void Show_Connecting();
  void Progress(int value);

 private:
  std::int16_t SharedData::*flag_;
  void Timer4_Timer();
  void Form_Unload(int& cancel);
  void Failure_Report();
};

}  // namespace j5
