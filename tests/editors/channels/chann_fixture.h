#pragma once
// The program on the headless platform with the start-up image (a radio on the line where asked)
// and the channel window open, and the few steps a user takes in it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/defaults.h"
#include "data/tables.h"
#include "editors/channels/frm_chann.h"
#include "support/radio_program.h"

namespace j5::chann_test {

// Another child window for the user to leave the channel window for: it shows nothing, takes no
// focus and leaves the image alone.
struct Other_Window : kit::Form {
  explicit Other_Window(Program& p) : kit::Form(p.platform, "Other_Window", p.Main_Form()) {
    Load = [this] { show(); };
  }
};

struct ChannFixture : j5test::Program_On_Line {
  frm_chann* w = nullptr;
  kit::FormSlot<Other_Window> other{[this] { return std::make_unique<Other_Window>(program); }};

  // `form`, when given, is how the radio on COM1 answers from the start.
  explicit ChannFixture(int total = 128, bool chinese = false,
                        std::optional<sim::IdentForm> form = std::nullopt)
      : Program_On_Line(form, chinese) {
    // Start-up opens a channel window of its own; the tests then set what
    // they need and open a fresh one.
    program.frm_chann.unload();
    d.runUntilIdle();
    Init_Model_Band(data);
    data.VHF_Low = 130, data.VHF_High = 179;
    data.UHF0_Low = 240, data.UHF0_High = 260;
    data.UHF1_Low = 400, data.UHF1_High = 520;
    Init_Tone_Table(data);
    Init_Opt_Id(data);
    data.Chann_Total = static_cast<std::int16_t>(total);
    Init_Factory_Image(data);
  }

  frm_chann& open() {
    w = &program.frm_chann.load();
    d.runUntilIdle();
    return *w;
  }

  kit::Grid& grid() { return w->MSF_Chann; }
  std::string cell(int row, int col) { return grid().textMatrix(row, col); }
  std::vector<std::string> cells(int row, int first = 1, int last = 13) {
    std::vector<std::string> out;
    for (int c = first; c <= last; ++c) out.push_back(cell(row, c));
    return out;
  }
  // Channel ch's record bytes first..last, or its name row's.
  std::vector<int> record(int ch, int first = 0, int last = 15) {
    std::vector<int> out;
    for (int k = first; k <= last; ++k) out.push_back(data.Mem_Image(ch, k));
    return out;
  }
  std::vector<int> nameRow(int ch, int first = 0, int last = 5) {
    return record(256 + ch, first, last);
  }
  void setRecord(int ch, const std::vector<int>& bytes, int first = 0) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
      data.Mem_Image(ch, first + i) = static_cast<std::int16_t>(bytes[i]);
  }
  void setName(int ch, const std::vector<int>& bytes) { setRecord(256 + ch, bytes); }

  // Clicks a cell and types over its text (the text editor or the list's
  // text field, whichever the click opened).
  void typeInto(int row, int col, const std::string& text) {
    d.clickCell(grid(), row, col);
    d.selectAll();
    if (text.empty()) d.del();
    d.type(text);
  }
  // Leaves the cell under edit the way a user does: a click on the number
  // column of the first row.
  void clickAway() { d.clickCell(grid(), 1, 0); }
  void pick(int row, int col, const std::string& item) {
    d.clickCell(grid(), row, col);
    d.pick(w->Combo_edit, item);
  }
  // The user works in another window and comes back.
  void leaveAndReturn(const std::function<void()>& meanwhile) {
    d.activate(other.load());
    meanwhile();
    d.activate(*w);
  }
};

}  // namespace j5::chann_test
