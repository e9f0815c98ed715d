// Rule 5: the grid's current cell, LeaveCell, clicks, arrows and the shared
// column measure.
#include <gtest/gtest.h>

#include <functional>

#include "platform/text_measure.h"
#include "test_window.h"

namespace {

using kit_test::Fixture;

struct GridFixture : Fixture {
  kit_test::TestWindow* w = nullptr;
  kit::Grid* g = nullptr;
  GridFixture() {
    w = &open();
    g = &w->MSF_Grid;
    g->move(240, 240, 9000, 2000);
    g->setFixedCols(0);
    g->setFormatString("^Channel|^  Band  |^RX Frequency|^中文");
    g->setRows(129);
    g->LeaveCell = [this] { log("Leave:" + cell()); };
    g->Click = [this] { log("Click:" + cell()); };
    g->DblClick = [this] { log("Dbl:" + cell()); };
    g->Scroll = [this] { log("Scroll:" + std::to_string(g->topRow())); };
  }
  std::string cell() const { return std::to_string(g->row()) + "," + std::to_string(g->col()); }
};

TEST(Grid, FormatStringSetsColumnsHeadersAndWidthsFromTheSharedMeasure) {
  GridFixture f;
  auto& g = *f.g;
  ASSERT_EQ(g.cols(), 4);
  EXPECT_EQ(g.textMatrix(0, 1), "  Band  ");
  EXPECT_EQ(g.textMatrix(0, 3), "中文");
  EXPECT_EQ(g.colAlignment(2), kit::Align::Center);
  double left = kit::Grid::kBorder;
  for (int c = 0; c < 4; ++c) {
    const double w = kit::textWidthTwips(g.textMatrix(0, c)) + kit::Grid::kCellPadding;
    EXPECT_EQ(g.colWidth(c), w);
    g.setCol(c);
    EXPECT_EQ(g.cellLeft(), left);
    EXPECT_EQ(g.cellWidth(), w);
    left += w;
  }
  // Blanks inside a header widen its column; CJK characters are wide.
  EXPECT_GT(kit::textWidthTwips("  Band  "), kit::textWidthTwips("Band"));
  EXPECT_EQ(kit::textWidthTwips("中"), 12 * 15);
  EXPECT_EQ(g.cellTop(), kit::Grid::kBorder + g.rowHeight(0));
  EXPECT_EQ(g.cellHeight(), kit::Grid::kDefaultRowHeight);
}

TEST(Grid, SettingRowOrColRaisesLeaveCellWhileTheOldCellIsCurrent) {
  GridFixture f;
  auto& g = *f.g;
  auto& combo = f.w->Combo1;
  combo.addItem("A");
  combo.addItem("B");
  // A commit in LeaveCell that sets a list index: the list's Click still
  // sees the cell being left.
  g.LeaveCell = [&] {
    f.log("Leave:" + f.cell());
    combo.setListIndex(combo.listIndex() == 0 ? 1 : 0);
    g.setText(combo.text());
  };
  combo.Click = [&] { f.log("Click@" + f.cell()); };
  g.setRow(1);  // already there: nothing
  g.setCol(2);
  g.setRow(5);
  g.setTextMatrix(7, 3, "x");  // raises nothing
  EXPECT_EQ(f.log.joined(), "Leave:1,1 Click@1,1 Leave:1,2 Click@1,2");
  EXPECT_EQ(g.textMatrix(1, 1), "A");
  EXPECT_EQ(g.textMatrix(1, 2), "B");
  EXPECT_EQ(g.text(), "");
}

TEST(Grid, UserClickIsOneMoveThenClickAndDoubleClickAddsDblClick) {
  GridFixture f;
  auto& g = *f.g;
  f.driver.clickCell(g, 4, 2);
  f.driver.clickCell(g, 4, 2);
  f.driver.clickCell(g, 0, 3);  // header: no move
  EXPECT_EQ(g.mouseRow(), 0);
  EXPECT_EQ(g.mouseCol(), 3);
  f.driver.doubleClickCell(g, 6, 1);
  EXPECT_EQ(f.log.joined(),
            "Text1.LostFocus Leave:1,1 Click:4,2 Click:4,2 Click:4,2 Leave:4,2 Click:6,1 Dbl:6,1");
}

// An arrow key is a move, not a click: the windows place their editors on Click, and an
// editor placed by an arrow would take the next arrow as a pick.
TEST(Grid, ArrowsMoveOnceWithoutClickAndScrollTheCellIntoView) {
  GridFixture f;
  auto& g = *f.g;
  f.driver.clickCell(g, 1, 0);
  f.log.clear();
  f.driver.arrow(kit::Arrow::Up);  // already at the first scrollable row
  f.driver.arrow(kit::Arrow::Right);
  EXPECT_EQ(f.log.joined(), "Leave:1,0");
  EXPECT_EQ(f.cell(), "1,1");
  const int shown = g.visibleRows();
  ASSERT_GT(shown, 2);
  g.setRow(shown);  // the last row in view
  f.log.clear();
  f.driver.arrow(kit::Arrow::Down);
  EXPECT_EQ(f.log.joined(), "Leave:" + std::to_string(shown) + ",1 Scroll:2");
  EXPECT_EQ(g.row(), shown + 1);
  EXPECT_EQ(g.cellTop(), kit::Grid::kBorder + g.rowHeight(0) + (shown - 1) * g.rowHeight(1));
}

// An editor placed over a cell that is scrolled away, or that lies under a scroll bar, would take
// typing the user cannot see: the grid brings the cell into the room beside its bars first.
TEST(Grid, AnEditorGoesOverItsCellOnlyOnceTheCellIsInView) {
  GridFixture f;
  auto& g = *f.g;
  auto& editor = f.w->Text1;
  const double lastRight = g.colPos(3) + g.colWidth(3);
  // 128 rows do not fit: the vertical bar (255 twips) shows. The last column ends 100 twips
  // inside the border, so under the bar, and the horizontal bar shows too.
  g.move(240, 240, lastRight + 30 + 100, 2000);
  ASSERT_TRUE(g.showsVerticalBar());
  ASSERT_TRUE(g.showsHorizontalBar());
  g.setCol(3);
  g.setRow(100);
  f.log.clear();
  g.placeEditor(editor, false);
  // Six rows fit between the header and the horizontal bar: row 100 becomes the last of them.
  EXPECT_EQ(f.log.joined(), "Scroll:95 Scroll:95");
  EXPECT_EQ(g.leftCol(), 1);
  EXPECT_EQ(editor.left(), 240 + g.colPos(3));
  EXPECT_EQ(editor.width(), g.colWidth(3));
  EXPECT_LE(editor.left() + editor.width(), 240 + g.width() - 30 - 255);
  EXPECT_EQ(editor.top(), 240 + g.rowPos(100));
  EXPECT_GE(editor.top(), 240 + 30 + g.rowHeight(0));
  EXPECT_LE(editor.top() + g.rowHeight(100), 240 + 2000 - 30 - 255);

  // Back to a cell above and left of the view: it becomes the first one shown.
  g.setCol(0);
  g.setRow(5);
  g.placeEditor(editor, true);
  EXPECT_EQ(g.topRow(), 5);
  EXPECT_EQ(g.leftCol(), 0);
  EXPECT_EQ(editor.left(), 240 + 30);
  EXPECT_EQ(editor.top(), 240 + 30 + g.rowHeight(0));
  EXPECT_EQ(editor.height(), g.rowHeight(5));

  // Columns wider than the grid bring the horizontal bar, and it takes the last row's room.
  g.move(240, 240, 3000, 2000);
  EXPECT_TRUE(g.showsHorizontalBar());
  g.setRow(128);
  g.setCol(3);
  g.placeEditor(editor, true);
  EXPECT_LE(editor.left() + editor.width(), 240 + 3000 - 30 - 255);
  EXPECT_LE(editor.top() + editor.height(), 240 + 2000 - 30 - 255);
}

// Rows or columns that move under an open cell editor leave it over another cell than the one
// it edits: whatever moves them (the wheel or the vertical bar, the horizontal bar, an arrow key
// that scrolls), every editor placed over the grid hides before Scroll runs, the focus back to
// the grid, and the text it holds stays: the hidden editor still edits its cell (editorOpen) until
// it is placed again or hidden. An editor the grid is placing now stays; a control never placed
// over the grid is none of its editors.
TEST(Grid, AScrollHidesEveryEditorPlacedOverTheGrid) {
  const struct {
    const char* name;
    std::function<void(GridFixture&)> scroll;
    const char* events;
  } cases[] = {
      {"wheel or vertical bar", [](GridFixture& f) { f.driver.scroll(*f.g, 20); },
       "Combo1.LostFocus Scroll"},
      {"horizontal bar", [](GridFixture& f) { f.driver.scrollLeft(*f.g, 2); },
       "Combo1.LostFocus Scroll"},
      {"arrow key",
       [](GridFixture& f) {
         f.driver.focus(*f.g);
         f.g->setRow(f.g->visibleRows());
         f.log.clear();
         f.driver.arrow(kit::Arrow::Down);
       },
       "Leave:7,2 Scroll"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GridFixture f;
    auto& g = *f.g;
    auto& text = f.w->Text1;
    auto& list = f.w->Combo1;
    auto& other = f.w->Text2;
    g.placeEditor(text, true);
    text.setText("typed");
    g.setCol(2);
    g.placeEditor(list, false);
    f.driver.focus(list);
    g.Scroll = [&] {
      f.log(std::string("Scroll") + (text.visible() || list.visible() ? ": an editor shows" : ""));
    };
    f.log.clear();
    c.scroll(f);
    EXPECT_FALSE(text.visible());
    EXPECT_FALSE(list.visible());
    EXPECT_TRUE(other.visible());
    EXPECT_EQ(text.text(), "typed");
    EXPECT_EQ(f.driver.focused(), &g);
    EXPECT_EQ(f.log.joined(), c.events);
    // Out of sight, both still edit their cells until placed again or hidden on purpose.
    EXPECT_TRUE(g.editorOpen(text));
    EXPECT_TRUE(g.editorOpen(list));
    EXPECT_FALSE(g.editorOpen(other));
    g.hideEditor(list);
    EXPECT_FALSE(g.editorOpen(list));
    g.placeEditor(text, true);
    text.setVisible(false);
    EXPECT_FALSE(g.editorOpen(text));
  }
  // Placing an editor over a cell out of view scrolls: the grid's other editors hide, the one
  // placed goes over its cell and keeps the focus.
  GridFixture f;
  auto& g = *f.g;
  auto& text = f.w->Text1;
  auto& list = f.w->Combo1;
  g.placeEditor(text, true);
  f.driver.focus(list);
  g.setRow(100);
  g.placeEditor(list, false);
  EXPECT_FALSE(text.visible());
  EXPECT_TRUE(list.visible());
  EXPECT_EQ(f.driver.focused(), &list);
  EXPECT_EQ(list.top(), g.top() + g.rowPos(100));
}

TEST(Grid, ClickDroppedWhenTheEditorRefusesToLoseTheFocus) {
  GridFixture f;
  auto& g = *f.g;
  auto& editor = f.w->Text1;
  ASSERT_TRUE(editor.hasFocus());
  editor.LostFocus = [&] { editor.setFocus(); };
  f.driver.clickCell(g, 3, 3);
  EXPECT_EQ(f.log.joined(), "");
  EXPECT_EQ(f.cell(), "1,1");
}

TEST(Grid, ScrollEventOnUserScrollAndTextMatrixKeepsCellsWhenResized) {
  GridFixture f;
  auto& g = *f.g;
  g.setTextMatrix(128, 3, "last");
  f.driver.scroll(g, 10);
  EXPECT_EQ(f.log.joined(), "Scroll:10");
  g.setRows(200);
  EXPECT_EQ(g.textMatrix(128, 3), "last");
  g.setRows(2);
  EXPECT_THROW(g.textMatrix(128, 3), std::out_of_range);
  EXPECT_EQ(g.topRow(), 1);
}

}  // namespace
