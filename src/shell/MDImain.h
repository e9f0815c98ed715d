#pragma once
// The main window. Stands in until the main window is built: the frame with
// its status bar, so child windows can size themselves and write panels.

#include "platform/form.h"

namespace j5 {

class Program;

class MDImain : public kit::MdiForm {
 public:
  explicit MDImain(Program& program);

  kit::StatusBar StatusBar1{*this, "StatusBar1"};

 private:
  Program& prog_;
};

}  // namespace j5
