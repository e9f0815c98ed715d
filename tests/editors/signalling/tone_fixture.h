#pragma once
// The program on the headless platform with the main window's start-up done, the simulated radio
// on COM1 answering the tone windows' opening, and the language chosen per test.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/lang_text.h"
#include "data/shared_data.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/radio_program.h"

namespace j5::tone_test {

struct Tone_Fixture : j5test::Radio_Program {
  MemImage image_before;

  explicit Tone_Fixture(bool chinese = false) : Radio_Program(sim::IdentForm::Ident50, chinese) {
    image_before = data.Mem_Image;
  }

  // The window opened last: stage_row and put_page reach its staging.
  Tone_Window* window = nullptr;

  frm_2tone& two() {
    auto& w = program.frm_2tone.load();
    d.runUntilIdle();
    window = &w;
    return w;
  }
  frm_5tone& five() {
    auto& w = program.frm_5tone.load();
    d.runUntilIdle();
    window = &w;
    return w;
  }

  std::vector<int> stage_row(int row) const {
    std::vector<int> out;
    for (std::size_t c = 0; c < 16; ++c)
      out.push_back(window->Tone_Stage(static_cast<std::size_t>(row), c));
    return out;
  }
  // Bytes first..last of a staged row.
  std::vector<int> stage_bytes(int row, int first, int last) const {
    const std::vector<int> all = stage_row(row);
    return {all.begin() + first, all.begin() + last + 1};
  }
  std::vector<std::string> row_cells(const kit::Grid& g, int row, int first, int last) const {
    std::vector<std::string> out;
    for (int c = first; c <= last; ++c) out.push_back(g.textMatrix(row, c));
    return out;
  }
  // Types into the cell's editor after a click, then leaves the cell by clicking another.
  void edit_cell(kit::Grid& g, int r, int c, kit::Control& editor, const std::string& text,
                 int leaveRow, int leaveCol) {
    d.clickCell(g, r, c);
    ASSERT_TRUE(editor.visible());
    d.selectAll();
    if (text.empty()) d.backspace();
    d.type(text);
    d.clickCell(g, leaveRow, leaveCol);
  }
  // A cell editor opened, then the grid's rows (or its columns) moved under it: the editor hides,
  // the focus back to the grid; typing and a pick in the list reach nothing, and leaving the cell
  // gives the grid exactly what opening the editor and leaving the cell give without the scroll.
  struct Scroll_Case {
    const char* name;
    int tab;
    kit::Grid& grid;
    int row, col;
    kit::Control& editor;
    bool columns;       // the horizontal bar, else the wheel
    const char* typed;  // a value the cell would take
  };
  void expect_scroll_hides_editor(const Scroll_Case& c) {
    SCOPED_TRACE(c.name);
    d.clickTab(window->TabStrip1, c.tab);
    auto cells = [&c] {
      std::vector<std::string> out;
      for (int r = 0; r < c.grid.rows(); ++r)
        for (int k = 0; k < c.grid.cols(); ++k) out.push_back(c.grid.textMatrix(r, k));
      return out;
    };
    d.clickCell(c.grid, c.row, c.col);
    d.clickCell(c.grid, c.row, 0);
    const std::vector<std::string> left = cells();

    d.clickCell(c.grid, c.row, c.col);
    ASSERT_TRUE(c.editor.visible());
    if (c.columns) {
      d.scrollLeft(c.grid, 4);
    } else {
      d.scroll(c.grid, 4);
    }
    EXPECT_FALSE(c.editor.visible());
    EXPECT_EQ(d.focused(), &c.grid);
    d.selectAll();
    d.type(c.typed);
    if (auto* list = dynamic_cast<kit::ComboBox*>(&c.editor)) d.pick(*list, 1);
    d.clickCell(c.grid, c.row, 0);
    EXPECT_EQ(cells(), left);
  }

  // An editor opened over a filled cell and left without a key typed or an item picked, in each
  // way a cell is left: no cell of the window's grids changes and no message shows.
  struct Look_Case {
    const char* name;
    int tab;
    kit::Grid& grid;
    int row, col;
    kit::Control& editor;
  };
  void expect_looked_at_changes_nothing(const Look_Case& c,
                                        const std::vector<const kit::Grid*>& grids) {
    auto cells = [&grids] {
      std::vector<std::string> out;
      for (const kit::Grid* g : grids)
        for (int r = 0; r < g->rows(); ++r)
          for (int k = 0; k < g->cols(); ++k) out.push_back(g->textMatrix(r, k));
      return out;
    };
    kit::TabStrip& tabs = window->TabStrip1;
    const int other = c.row == 1 ? 2 : 1;
    const struct {
      const char* name;
      std::function<void()> leave;
    } ways[] = {
        {"a click on another cell", [&] { d.clickCell(c.grid, other, c.col); }},
        {"Enter", [&] { d.enter(); }},
        {"Tab", [&] { d.tab(); }},
        {"a scroll, then a click",
         [&] {
           d.scroll(c.grid, 4);
           d.clickCell(c.grid, 6, c.col);
           d.scroll(c.grid, 1);
         }},
        {"a page switch and back",
         [&] {
           d.clickTab(tabs, c.tab == 1 ? 2 : 1);
           d.clickTab(tabs, c.tab);
         }},
        {"a save, write or switch", [&] { EXPECT_TRUE(window->commitPending()); }},
    };
    d.clickTab(tabs, c.tab);
    for (const auto& way : ways) {
      SCOPED_TRACE(std::string(c.name) + ", " + way.name);
      d.clickCell(c.grid, c.row, 0);
      d.clearMessageBoxes();
      const std::vector<std::string> before = cells();
      d.clickCell(c.grid, c.row, c.col);
      ASSERT_TRUE(c.editor.visible());
      way.leave();
      d.clickCell(c.grid, c.row, 0);
      EXPECT_EQ(cells(), before);
      EXPECT_EQ(box_texts(), std::vector<std::string>{});
    }
  }

  // An item picked in a cell's list, then the grid scrolled: the list hides, and the pick waits
  // for the cell to be left, as a typed text does, rather than being dropped.
  void expect_pick_kept_over_scroll(int tab, kit::Grid& grid, int row, int col, kit::ComboBox& list,
                                    const std::string& item, bool columns, int leaveRow,
                                    int leaveCol) {
    d.clickTab(window->TabStrip1, tab);
    d.clickCell(grid, row, col);
    d.pick(list, item);
    const std::string before = grid.textMatrix(row, col);
    ASSERT_NE(before, item);
    if (columns) {
      d.scrollLeft(grid, 4);
    } else {
      d.scroll(grid, 4);
    }
    EXPECT_FALSE(list.visible());
    EXPECT_EQ(grid.textMatrix(row, col), before);
    d.clickCell(grid, leaveRow, leaveCol);
    EXPECT_EQ(grid.textMatrix(row, col), item);
  }

  // A page of the radio's memory read into the window's Block_Buf rows from `row` on, as a read
  // leaves it.
  void put_page(int row, const std::vector<int>& bytes) {
    for (int q = 0; q < 4; ++q)
      for (int i = 0; i < 64; ++i)
        window->Block_Buf(static_cast<std::size_t>(row + q), static_cast<std::size_t>(5 + i)) =
            static_cast<std::int16_t>(bytes[static_cast<std::size_t>(q * 64 + i)]);
  }
  void expect_image_untouched() const { EXPECT_TRUE(data.Mem_Image == image_before); }
};

// The fixture for a test that plays in each language.
struct In_Language : Tone_Fixture {
  using Tone_Fixture::Tone_Fixture;
  void TestBody() override {}
};

}  // namespace j5::tone_test
