#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class Form_Comm_Write : public Placeholder_Window {
 public:
  explicit Form_Comm_Write(Program& program)
      : Placeholder_Window(program, "Form_Comm_Write", "向对讲机写入数据", "Write to radio",
                           &SharedData::Win_Comm_Write) {}
};

}  // namespace j5
