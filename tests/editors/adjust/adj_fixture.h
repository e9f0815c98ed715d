#pragma once
// The program on the headless platform after its start-up (so the adjustment table holds its
// defaults), the simulated radio on COM1, and the adjustment window opened directly, as no
// visible menu opens it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/adjust/frm_Adj_Txp.h"
#include "support/radio_program.h"

namespace j5::adj_test {

struct AdjFixture : j5test::Program_On_Line {
  frm_Adj_Txp* w = nullptr;

  explicit AdjFixture(bool chinese = true) : Program_On_Line(sim::IdentForm::Ident14, chinese) {
    for (int n : {2, 7, 8, 9}) program.Set_Panel(n, "");
  }

  frm_Adj_Txp& open() {
    w = &program.frm_Adj_Txp.load();
    d.runUntilIdle();
    return *w;
  }
  // The user clicks the tab of page p (0..4).
  void page(int p) { d.clickTab(w->TabStrip1, p + 1); }
  // Clicks into a box and types over its whole text.
  void typeInto(kit::TextBox& box, const std::string& text) {
    d.focus(box);
    d.selectAll();
    d.del();
    d.type(text);
  }
  // Starts a read that the silent radio leaves hanging: the window is busy for a second.
  void hangingRead() {
    sim::Fault silent;
    silent.count = sim::Fault::kAlways;
    radio.inject(silent);
    d.click(w->Command_read);
    d.clearMessageBoxes();
  }
  std::vector<int> row(int r, int first = 0, int last = 15) const {
    std::vector<int> out;
    for (int c = first; c <= last; ++c) out.push_back(data.Adj_Value(r, c));
    return out;
  }
};

}  // namespace j5::adj_test
