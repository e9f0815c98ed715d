#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class frm_5tone : public Placeholder_Window {
 public:
  explicit frm_5tone(Program& program)
      : Placeholder_Window(program, "frm_5tone", "五音", "5-Tone") {}
};

}  // namespace j5
