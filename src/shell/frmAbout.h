#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class frmAbout : public Placeholder_Window {
 public:
  explicit frmAbout(Program& program) : Placeholder_Window(program, "frmAbout", "关于", "About") {}
};

}  // namespace j5
