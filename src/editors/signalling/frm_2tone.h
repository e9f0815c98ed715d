#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class frm_2tone : public Placeholder_Window {
 public:
  explicit frm_2tone(Program& program)
      : Placeholder_Window(program, "frm_2tone", "两音", "2-Tone") {}
};

}  // namespace j5
