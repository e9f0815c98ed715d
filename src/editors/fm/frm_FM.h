#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class frm_FM : public Placeholder_Window {
 public:
  explicit frm_FM(Program& program) : Placeholder_Window(program, "frm_FM", "收音机", "FM Radio") {}
};

}  // namespace j5
