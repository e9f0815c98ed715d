// Where the focus goes when a cell editor hides: to the grid, so that a key the user presses next
// reaches no button the user never moved to. Default, the next control after the grid, replaces
// every channel without a question.
#include <gtest/gtest.h>

#include <functional>

#include "chann_fixture.h"

namespace j5::chann_test {
namespace {

using Bytes = std::vector<int>;

// A channel the factory channels do not have: Default would empty it.
constexpr int kMarkChannel = 20;
const Bytes kMarkRecord{0x50, 0x12, 0x00, 0x15, 0x50, 0x12, 0x00, 0x15,
                        0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00};

struct Tour {
  const char* name;
  std::function<void(ChannFixture&, frm_chann&)> steps;
};

// Each tour ends with a stray Enter after an editor hid. Between keys the focus is never on a
// button: no key of the tour reaches one.
const Tour kTours[] = {
    {"the grid scrolls under the text editor, then Enter",
     [](ChannFixture& f, frm_chann&) {
       f.d.clickCell(f.grid(), 2, 2);
       f.d.scroll(f.grid(), 30);
       f.d.enter();
     }},
    {"a name typed and Enter, then Enter again",
     [](ChannFixture& f, frm_chann&) {
       f.typeInto(2, 13, "AB");
       f.d.enter();
       f.d.enter();
     }},
    {"Enter through a new channel to its name, Enter twice, arrows, Enter",
     [](ChannFixture& f, frm_chann& w) {
       f.typeInto(30, 2, "145.5");
       for (int col = 3; col <= 13; ++col) {
         f.d.enter();
         if (col >= 6 && col <= 12) f.d.pick(w.Combo_edit, w.Combo_edit.list(0));
       }
       f.d.type("far");
       f.d.enter();
       f.d.enter();
       f.d.arrow(kit::Arrow::Down);
       f.d.arrow(kit::Arrow::Left);
       f.d.enter();
     }},
    {"a list opened, the grid scrolled, Enter",
     [](ChannFixture& f, frm_chann&) {
       f.d.clickCell(f.grid(), 3, 6);
       f.d.scroll(f.grid(), 40);
       f.d.enter();
       f.d.arrow(kit::Arrow::Up);
       f.d.enter();
     }},
};

TEST(ChannFocus, AKeyAfterACellEditorHidesPressesNoButton) {
  for (const Tour& tour : kTours) {
    SCOPED_TRACE(tour.name);
    ChannFixture f;
    f.setRecord(kMarkChannel, kMarkRecord);
    frm_chann& w = f.open();
    kit::Control* buttons[] = {&w.Command_def, &w.Command_Clear, &w.Command_close};
    for (kit::Control* b : buttons)
      b->GotFocus = [&, b] { ADD_FAILURE() << b->name() << " took the focus"; };
    tour.steps(f, w);
    ASSERT_TRUE(f.program.frm_chann.loaded());
    EXPECT_EQ(f.record(kMarkChannel), kMarkRecord);
    EXPECT_EQ(f.d.focused(), &f.grid());
  }
}

}  // namespace
}  // namespace j5::chann_test
