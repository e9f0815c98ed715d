#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class Form_Comm_Read : public Placeholder_Window {
 public:
  explicit Form_Comm_Read(Program& program)
      : Placeholder_Window(program, "Form_Comm_Read", "从对讲机读取数据", "Read from radio",
                           &SharedData::Win_Comm_Read) {}
};

}  // namespace j5
