#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class frm_Adj_Txp : public Placeholder_Window {
 public:
  explicit frm_Adj_Txp(Program& program)
      : Placeholder_Window(program, "frm_Adj_Txp", "参数编辑", "Adjust") {}
};

}  // namespace j5
