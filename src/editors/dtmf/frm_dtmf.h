#pragma once
// Stands in for this window until it is built: a plain child window.

#include "shell/placeholder_window.h"

namespace j5 {

class frm_dtmf : public Placeholder_Window {
 public:
  explicit frm_dtmf(Program& program)
      : Placeholder_Window(program, "frm_dtmf", "DTMF 编解码参数编辑", "DTMF Encode/Decode ",
                           &SharedData::Win_Dtmf) {}
};

}  // namespace j5
