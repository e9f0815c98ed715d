#pragma once
// The program on the headless platform with the main window up, the simulated radio on COM1
// answering the copies' opening, and an option window copy opened the way a test must (nothing in
// the program opens one).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/lang_text.h"
#include "editors/option_copies/option_copy_window.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/radio_program.h"

namespace j5::copy_test {

struct Copy_Fixture : j5test::Radio_Program {
  kit::FormSlot<frm_Adj_Tune> tune_slot{[this] { return std::make_unique<frm_Adj_Tune>(program); }};
  kit::FormSlot<frm_Adj_Mod> mod_slot{[this] { return std::make_unique<frm_Adj_Mod>(program); }};

  explicit Copy_Fixture(bool chinese = false) : Radio_Program(sim::IdentForm::Ident8Dec, chinese) {
    data.VHF_Low = 130;
    data.VHF_High = 179;
  }

  frm_Adj_Tune& tune() {
    auto& w = tune_slot.load();
    d.runUntilIdle();
    return w;
  }
  frm_Adj_Mod& mod() {
    auto& w = mod_slot.load();
    d.runUntilIdle();
    return w;
  }

  static std::vector<int> row(const CopyImage& image, int r) {
    std::vector<int> out;
    for (std::size_t c = 0; c < 16; ++c) out.push_back(image(static_cast<std::size_t>(r), c));
    return out;
  }
  static void put(CopyImage& image, int byte, std::initializer_list<int> values) {
    for (int v : values) {
      image(static_cast<std::size_t>(byte / 16), static_cast<std::size_t>(byte % 16)) =
          static_cast<std::int16_t>(v);
      ++byte;
    }
  }
  // Types a text into a box and leaves it for another control.
  void enter_text(kit::TextBox& box, const std::string& text, kit::Control& next) {
    d.focus(box);
    d.selectAll();
    if (text.empty())
      d.del();
    else
      d.type(text);
    d.focus(next);
  }
};

}  // namespace j5::copy_test
