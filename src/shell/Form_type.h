#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class Form_type : public Placeholder_Window {
 public:
  explicit Form_type(Program& program)
      : Placeholder_Window(program, "Form_type", "机型", "Model") {}
};

}  // namespace j5
