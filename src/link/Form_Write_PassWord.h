#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class Form_Write_PassWord : public Placeholder_Window {
 public:
  explicit Form_Write_PassWord(Program& program)
      : Placeholder_Window(program, "Form_Write_PassWord", "修改密码", "Modify PassWord") {}
};

}  // namespace j5
