#pragma once
// A plain child window for an editor whose own window is not built yet: it
// keeps its window-open flag and its captions, sizes and centres itself in
// the main window and shows itself, so the menus and the language switch
// treat it like the real one.

#include <cstdint>
#include <string>

#include "data/shared_data.h"
#include "platform/form.h"

namespace j5 {

class Program;

class Placeholder_Window : public kit::Form {
 public:
  Placeholder_Window(Program& program, std::string name, std::string captionChn,
                     std::string captionEng, std::int16_t SharedData::*flag = nullptr,
                     kit::Border border = kit::Border::Sizable);

 protected:
  Program& prog_;

 private:
  std::string captionChn_, captionEng_;
  std::int16_t SharedData::*flag_;
  void Form_Load();
  void Form_Unload(int& cancel);
};

}  // namespace j5
