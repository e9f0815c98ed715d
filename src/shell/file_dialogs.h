#pragma once
// Stands in for the file dialogs until they are built.

#include "shell/placeholder_window.h"

namespace j5 {

class File_Dialog : public Placeholder_Window {
 public:
  File_Dialog(Program& program, std::string name)
      : Placeholder_Window(program, name, "文件", "File") {}
};

}  // namespace j5
