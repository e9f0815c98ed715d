// The option and DTMF windows' own writes against the simulated radio while the user goes on
// editing: the radio ends holding the rows as they stood when the write began, a restart after a
// time-out included, and the window and the image keep the edits for the next write.
#include <gtest/gtest.h>

#include <functional>

#include "data/defaults.h"
#include "editors/dtmf/frm_dtmf.h"
#include "editors/options/frm_option.h"
#include "support/radio_program.h"

namespace j5test {
namespace {

// The other entry of a list box.
void Pick_Other(kit::Driver& d, kit::ComboBox& box) {
  d.pick(box, box.listIndex() == 0 ? 1 : 0);
}

TEST(OwnWriteWhileEditing, TheRadioHoldsTheRowsTheWriteBeganWith) {
  struct Window {
    j5::Transfer_Link* transfer;
    kit::CommandButton* write;
    // The user's n-th edit in the window.
    std::function<void(int)> edit;
  };
  const struct {
    const char* name;
    std::vector<int> rows;
    std::function<Window(Program_On_Line&)> open;
  } cases[] = {
      {"option", Row_Range(224, 246),
       [](Program_On_Line& p) {
         j5::frm_option& w = p.program.frm_option.load();
         p.d.runUntilIdle();
         return Window{&w.Transfer, &w.Command_Write,
                       [&p, &w](int n) { Pick_Other(p.d, n == 0 ? w.Combo_txp_a : w.Combo_wn_b); }};
       }},
      {"DTMF", Row_Range(176, 204),
       [](Program_On_Line& p) {
         p.d.click(p.program.MDImain->Dtmf_edit);
         j5::frm_dtmf& w = *p.program.frm_dtmf;
         return Window{&w.Transfer, &w.Command_Write,
                       [&p, &w](int n) { p.d.click(n == 0 ? w.Check_Ptt_P : w.Check_Ptt_S); }};
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Program_On_Line p(sim::IdentForm::Ident8, false);
    j5::Init_Factory_Image(p.data);
    j5::Fill_Access_Code(p.data);
    const Window w = c.open(p);
    // The tenth frame goes unanswered: the write is tried once more from the code.
    sim::Fault silent{.answering = sim::FrameKind::DataFrame, .skip = 10};
    p.radio.inject(silent);
    auto edit = [&](int n) {
      const j5::MemImage before = p.data.Mem_Image;
      w.edit(n);
      bool changed = false;
      for (int r : c.rows)
        for (std::size_t k = 0; k < 16; ++k)
          changed |= p.data.Mem_Image(static_cast<std::size_t>(r), k) !=
                     before(static_cast<std::size_t>(r), k);
      EXPECT_TRUE(changed) << "edit " << n;
    };

    w.write->Click();
    const j5::MemImage start = p.data.Mem_Image;
    p.d.advance(1500);
    ASSERT_TRUE(w.transfer->Busy());
    edit(0);
    ASSERT_TRUE(p.d.advanceUntil([&] { return !w.transfer->Busy() && w.transfer->Exchange_Open(); },
                                 20000));
    edit(1);
    const j5::MemImage edited = p.data.Mem_Image;
    ASSERT_TRUE(p.d.advanceUntil([&] { return !w.transfer->Exchange_Open(); }, 30000));
    EXPECT_EQ(p.toRadio(sim::FrameKind::AccessCode).size(), 2u);
    EXPECT_EQ(p.d.lastMessageBox().text.rfind("Complete writing", 0), 0u);
    EXPECT_TRUE(p.Radio_Holds(start, c.rows));

    // The next write sends what the user did.
    p.d.clearMessageBoxes();
    w.write->Click();
    ASSERT_TRUE(p.d.advanceUntil([&] { return !w.transfer->Exchange_Open(); }, 30000));
    EXPECT_EQ(p.d.lastMessageBox().text.rfind("Complete writing", 0), 0u);
    EXPECT_TRUE(p.Radio_Holds(edited, c.rows));
  }
}

}  // namespace
}  // namespace j5test
