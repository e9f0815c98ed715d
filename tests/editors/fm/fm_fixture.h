#pragma once
// The program on the headless platform with the main window's start-up done, the simulated radio
// on COM1 answering the FM window's opening, and the FM window opened directly.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/lang_text.h"
#include "data/shared_data.h"
#include "editors/fm/frm_FM.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/radio_program.h"

namespace j5::fm_test {

struct Fm_Fixture : j5test::Radio_Program {
  MemImage image_before;

  explicit Fm_Fixture(bool chinese = false) : Radio_Program(sim::IdentForm::Ident8Dec, chinese) {
    data.Band_A_Low = 136, data.Band_A_High = 175, data.Band_B_Low = 400, data.Band_B_High = 480;
    image_before = data.Mem_Image;
  }

  frm_FM& open() {
    auto& w = program.frm_FM.load();
    d.runUntilIdle();
    return w;
  }

  std::vector<int> fm_row(int row, int first = 0, int last = 15) const {
    std::vector<int> out;
    for (int c = first; c <= last; ++c)
      out.push_back(data.Fm_Image(static_cast<std::size_t>(row), static_cast<std::size_t>(c)));
    return out;
  }
  std::vector<std::string> bands(const frm_FM& w) const {
    return {w.Text_pvfo1_A.text(), w.Text_pvfo2_A.text(), w.Text_pvfo1_B.text(),
            w.Text_pvfo2_B.text()};
  }
  // Types into the cell's editor after a click, then leaves the cell by clicking another.
  void edit_cell(frm_FM& w, int r, int c, const std::string& text, int leaveRow, int leaveCol) {
    d.clickCell(w.MSF_Chann, r, c);
    ASSERT_TRUE(w.Text_Edit.visible());
    d.selectAll();
    if (text.empty()) d.backspace();
    d.type(text);
    d.clickCell(w.MSF_Chann, leaveRow, leaveCol);
  }
  void expect_image_untouched() const { EXPECT_TRUE(data.Mem_Image == image_before); }
};

}  // namespace j5::fm_test
