#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class Form_setup : public Placeholder_Window {
 public:
  explicit Form_setup(Program& program)
      : Placeholder_Window(program, "Form_setup", "端口", "Communication", &SharedData::Win_Setup) {
  }
};

}  // namespace j5
