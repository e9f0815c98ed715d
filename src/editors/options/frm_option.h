#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class frm_option : public Placeholder_Window {
 public:
  explicit frm_option(Program& program)
      : Placeholder_Window(program, "frm_option", "可选参数编辑", "Optional Features",
                           &SharedData::Win_Option) {}
};

}  // namespace j5
