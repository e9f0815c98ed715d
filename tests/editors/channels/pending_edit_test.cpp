// An edit is committed only into the cell its editor was placed over, and
// only while the channels are still as the editor found them.
#include <gtest/gtest.h>

#include "chann_fixture.h"

namespace j5::chann_test {
namespace {

using Bytes = std::vector<int>;

// What a whole read leaves in the channel memory: every channel on 440 MHz, named RD.
void readRadio(ChannFixture& f) {
  for (int ch = 0; ch < 128; ++ch) {
    f.setRecord(ch, {0x00, 0x00, 0x00, 0x44, 0x00, 0x00, 0x00, 0x44, 0, 0, 0, 0, 0, 0, 0, 0x40});
    f.setName(ch, {0x52, 0x44, 0xFF, 0xFF, 0xFF, 0xFF});
  }
}

TEST(ChannPendingEdit, ArrowKeysOverCellsWithoutAnEditorChangeNothing) {
  ChannFixture f;
  f.setName(0, {0x41});
  f.open();
  f.pick(20, 1, "VHF/UHF");
  // A click on the number column, or on a setting of a channel without a
  // band, places no editor and leaves the focus in the grid.
  f.d.clickCell(f.grid(), 1, 0);
  const auto before = f.data.Mem_Image;
  for (kit::Arrow a : {kit::Arrow::Down, kit::Arrow::Down, kit::Arrow::Up, kit::Arrow::Up})
    f.d.arrow(a);
  f.d.clickCell(f.grid(), 21, 7);
  EXPECT_EQ(f.d.focused(), &f.grid());
  f.d.arrow(kit::Arrow::Down);
  f.d.arrow(kit::Arrow::Up);
  f.d.arrow(kit::Arrow::Up);
  // Arrows onto cells with settings only move: no list opens for the next arrow to pick from.
  f.d.clickCell(f.grid(), 8, 0);
  for (kit::Arrow a : {kit::Arrow::Right, kit::Arrow::Up, kit::Arrow::Down, kit::Arrow::Right,
                       kit::Arrow::Down, kit::Arrow::Up})
    f.d.arrow(a);
  EXPECT_EQ(f.d.focused(), &f.grid());
  f.clickAway();
  EXPECT_EQ(f.data.Mem_Image, before);
  EXPECT_EQ(f.cell(1, 2), "245.62500");
  EXPECT_EQ(f.cell(1, 13), "A");
  EXPECT_EQ(f.cells(21), std::vector<std::string>(13, ""));
  EXPECT_EQ(f.cells(22), std::vector<std::string>(13, ""));
}

TEST(ChannPendingEdit, AnEditWhoseRowIsCutOffByAShorterGridIsDropped) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.typeInto(51, 2, "150");  // channel 50, not confirmed
  f.leaveAndReturn([&] { f.data.Chann_Total = 20; });
  ASSERT_EQ(f.grid().rows(), 21);
  // The editor's text neither lands on channel 19, where the current cell
  // was pushed, nor on channel 50.
  EXPECT_EQ(f.record(19), Bytes(16, 255));
  EXPECT_EQ(f.record(50), Bytes(16, 255));
  EXPECT_FALSE(w.Text_Edit.visible());
  f.clickAway();
  EXPECT_EQ(f.record(19), Bytes(16, 255));
}

TEST(ChannPendingEdit, AnEditIsCommittedByTheRebuildWhenTheImageIsUnchanged) {
  ChannFixture f;
  f.open();
  f.typeInto(2, 2, "150");
  f.leaveAndReturn([] {});
  EXPECT_EQ(f.cells(2, 2, 3), (std::vector<std::string>{"150.00000", "150.00000"}));
  EXPECT_EQ(f.record(1, 0, 3), (Bytes{0, 0, 0x00, 0x15}));
}

TEST(ChannPendingEdit, AnEditMadeBeforeTheImageWasReplacedIsDropped) {
  struct Case {
    const char* what;
    int row, col;
    const char* typed;
  };
  const Case edits[] = {{"rx", 2, 2, "150"},
                        {"tx", 2, 3, ""},
                        {"tone", 2, 4, "67"},
                        {"name", 2, 13, "lost"},
                        {"new channel", 10, 2, "150"}};
  for (const Case& e : edits) {
    SCOPED_TRACE(e.what);
    // The Default button.
    {
      ChannFixture f;
      f.open();
      f.typeInto(e.row, e.col, e.typed);
      f.d.click(f.w->Command_def);
      f.clickAway();
      ChannFixture factory;
      factory.open();
      EXPECT_EQ(f.data.Mem_Image, factory.data.Mem_Image);
    }
    // A whole read while the window stays open.
    {
      ChannFixture f;
      f.open();
      f.typeInto(e.row, e.col, e.typed);
      f.leaveAndReturn([&] { readRadio(f); });
      const auto read = f.data.Mem_Image;
      f.clickAway();
      EXPECT_EQ(f.data.Mem_Image, read);
      EXPECT_EQ(f.cell(e.row, 2), "440.00000");
      EXPECT_EQ(f.cell(e.row, 13), "RD");
    }
    // Clear: the edit does not bring its channel back.
    {
      ChannFixture f;
      f.open();
      f.typeInto(e.row, e.col, e.typed);
      f.d.click(f.w->Command_Clear);
      f.clickAway();
      EXPECT_EQ(f.record(e.row - 1), Bytes(16, 255));
      EXPECT_EQ(f.cell(e.row, e.col), "");
    }
  }
}

TEST(ChannPendingEdit, AnImageReadWhileACommitsMessageIsOpenStaysAsRead) {
  struct Case {
    const char* what;
    int row, col;
    const char* typed;
    bool enter;
  };
  const Case edits[] = {{"rx", 2, 2, "50", false},
                        {"rx by enter", 2, 2, "50", true},
                        {"rx of a new channel", 10, 2, "50", false},
                        {"tx", 2, 3, "50", false},
                        {"tx by enter", 2, 3, "50", true},
                        {"tx before rx", 10, 3, "150", false},
                        {"long name", 2, 13, "longname", false}};
  for (const Case& e : edits) {
    SCOPED_TRACE(e.what);
    ChannFixture f;
    f.open();
    f.typeInto(e.row, e.col, e.typed);
    // The real program serves the line under a message box: the read ends while it is open.
    f.platform.onMessageBox = [&](const kit::MessageBoxRecord&) { readRadio(f); };
    if (e.enter) {
      f.d.enter();
    } else {
      f.clickAway();
    }
    EXPECT_EQ(f.box_texts().size(), 1u);
    const auto read = f.data.Mem_Image;
    f.platform.onMessageBox = nullptr;
    f.clickAway();
    f.leaveAndReturn([] {});
    EXPECT_EQ(f.data.Mem_Image, read);
    EXPECT_EQ(f.cells(e.row, 2, 3), (std::vector<std::string>{"440.00000", "440.00000"}));
    EXPECT_EQ(f.cell(e.row, 13), "RD");
  }
}

TEST(ChannPendingEdit, APickInAListLeftOpenOverAReplacedImageStoresNothing) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.d.clickCell(f.grid(), 2, 6);
  // The image changes while the list is open (a read finishing in the
  // background); the next pick must not write into it.
  f.setRecord(1, {0x00, 0x00, 0x00, 0x44, 0x00, 0x00, 0x00, 0x44, 0, 0, 0, 0, 0, 0, 0x01, 0x40});
  const auto read = f.data.Mem_Image;
  f.d.pick(w.Combo_edit, "LOW");
  EXPECT_EQ(f.data.Mem_Image, read);
  EXPECT_FALSE(w.Combo_edit.visible());
}

TEST(ChannPendingEdit, AnActivationUnderACommitsMessageNeitherCommitsTwiceNorMovesTheEntry) {
  ChannFixture f;
  f.open();
  f.typeInto(2, 2, "50");
  f.d.activate(f.other.load());
  // The user clicks into the inactive window: its activation is queued and
  // runs while the commit's message box is open.
  f.platform.onMessageBox = [&](const kit::MessageBoxRecord&) { f.platform.advance(1); };
  f.w->userActivate();
  f.d.clickCell(f.grid(), 5, 0);
  EXPECT_EQ(f.box_texts(), std::vector<std::string>{"Over the range of receive frequency ."});
  EXPECT_EQ(f.cells(2, 2, 3), (std::vector<std::string>{"130.00000", "136.10000"}));

  // The same under the Enter key's check: the entry is stored where it was made (the lower limit
  // for both frequencies), and the editor moves on from there.
  f.typeInto(3, 2, "50");
  f.d.activate(f.other.load());
  f.w->userActivate();
  f.d.enter();
  EXPECT_EQ(f.cells(3, 2, 3), (std::vector<std::string>{"130.00000", "130.00000"}));
  EXPECT_EQ(f.record(2, 0, 7), (Bytes{0, 0, 0x00, 0x13, 0, 0, 0x00, 0x13}));
  EXPECT_EQ(f.grid().row(), 3);
  EXPECT_EQ(f.grid().col(), 3);
  EXPECT_TRUE(f.w->Text_Edit.visible());
}

}  // namespace
}  // namespace j5::chann_test
