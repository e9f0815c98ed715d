#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class frm_chann : public Placeholder_Window {
 public:
  explicit frm_chann(Program& program)
      : Placeholder_Window(program, "frm_chann", "信道信息", "Channel Information",
                           &SharedData::Win_Chann) {}
};

}  // namespace j5
