// The five-tone window: its defaults and standards, its block, and editing its tables.
#include "data/five_tone.h"

#include <gtest/gtest.h>

#include <functional>

#include "tone_fixture.h"

namespace j5::tone_test {
namespace {

using Five_Tone = Tone_Fixture;
using V = std::vector<int>;

TEST_F(Five_Tone, OpensOnTheStandardsPageWithItsDefaults) {
  frm_5tone& w = five();
  EXPECT_EQ(w.caption(), "5 Tone Encode/Decode ");
  ASSERT_EQ(w.TabStrip1.tabCount(), 3);
  EXPECT_EQ(w.TabStrip1.tab(1).caption, "Standard");
  EXPECT_TRUE(w.Frame_std.visible());
  EXPECT_FALSE(w.Frame_encode.visible());
  const char* periods[] = {"100", "70", "70", "70",  "70", "70", "70", "70",
                           "70",  "40", "30", "100", "70", "70", "40"};
  for (int r = 1; r <= 15; ++r) {
    EXPECT_EQ(row_cells(w.MSF_Chann, r, 1, 3),
              (std::vector<std::string>{periods[r - 1], "A", "E"}));
  }
  EXPECT_EQ(w.Combo_stxh.text(), "CCIR1");
  EXPECT_EQ(w.Label_freq[0].caption(), "1981.0");
  EXPECT_EQ(row_cells(w.MSF_Encode, 15, 1, 5),
            (std::vector<std::string>{"23456", "45678", "67890", "12345", "MODAT"}));
  EXPECT_EQ(w.Combo_Enc_ys1.text(), "400");
  EXPECT_EQ(w.Combo_Enc_ys4.text(), "0");
  EXPECT_EQ(row_cells(w.MSF_Decode, 1, 1, 4),
            (std::vector<std::string>{"CCIR1", "12345", "1.Primary Caller ID", "34567"}));
  EXPECT_EQ(w.Combo_Dec_Res_Time.text(), "6000");
  EXPECT_EQ(w.Combo_Dec_Back_Time.text(), "1000");
  EXPECT_EQ(w.Check_Disp[0].value(), 1);
  EXPECT_EQ(w.Check_Led[0].value(), 1);
  EXPECT_EQ(w.Check_Kz[0].value(), 0);
}

TEST_F(Five_Tone, BuildOfTheDefaults) {
  frm_5tone& w = five();
  w.Grids_To_Image();
  EXPECT_EQ(stage_row(0)[0], 0xBD);  // CCIR1 digit 0: 1981 Hz
  EXPECT_EQ(stage_row(16)[0], 0x07);
  EXPECT_EQ(stage_row(32)[0], 0x8B);  // divider 1163
  EXPECT_EQ(stage_row(48)[0], 0x04);
  EXPECT_EQ(stage_bytes(64, 0, 2), (V{0x0A, 0x0A, 0x0E}));
  EXPECT_EQ(stage_row(80), (V{1, 2, 3, 4, 5, 3, 4, 5, 6, 7, 5, 6, 7, 8, 9, 0}));
  EXPECT_EQ(stage_row(112), stage_row(80));
  EXPECT_EQ(stage_row(96), (V{0, 1, 2, 3, 4, 3, 4, 5, 6, 7, 5, 6, 7, 8, 9, 0}));
  EXPECT_EQ(stage_row(128), (V{0, 1, 2, 3, 4, 1, 2, 0, 3, 0, 0, 0, 0, 0, 9, 0}));
  EXPECT_EQ(stage_row(81), V(16, 255));
  const V reply2 = stage_row(129);
  EXPECT_EQ((V(reply2.begin() + 5, reply2.begin() + 8)), (V{255, 255, 255}));
  EXPECT_EQ((V(reply2.begin() + 8, reply2.begin() + 14)), V(6, 0));
  EXPECT_EQ(stage_bytes(111, 0, 3), (V{40, 20, 20, 0}));
  EXPECT_EQ(stage_row(127), stage_row(111));
  EXPECT_EQ(stage_bytes(143, 0, 3), (V{59, 0, 0, 5}));
  expect_image_untouched();
}

TEST_F(Five_Tone, CodeCellsTakeFiveCharacters) {
  frm_5tone& w = five();
  d.clickTab(w.TabStrip1, 2);
  struct Case {
    std::string typed, cell;
    std::vector<std::string> boxes;
    bool stays;  // the editor stays open with the focus
  } cases[] = {
      {"54321", "54321", {}, false},
      {"12a45", "12a45", {"Group Digits only by 0 to 9 and A to F."}, false},
      {"1234", "12345", {"Encode Digit is 5 Bits."}, true},
      {"123456", "12345", {"Encode Digit is 5 Bits.", "Encode Digit is 5 Bits."}, true},
      {"G", "12345", {"Encode Digit is 5 Bits."}, true},
  };
  for (const Case& c : cases) {
    w.MSF_Encode.setTextMatrix(1, 1, "12345");
    d.clearMessageBoxes();
    edit_cell(w.MSF_Encode, 1, 1, w.Text_Encode, c.typed, 1, 0);
    EXPECT_EQ(w.MSF_Encode.textMatrix(1, 1), c.cell) << c.typed;
    EXPECT_EQ(box_texts(), c.boxes) << c.typed;
    EXPECT_EQ(w.Text_Encode.visible(), c.stays) << c.typed;
    w.Text_Encode.setText("");
    w.Text_Encode.setVisible(false);
  }
  // A frame 2 cell of a code without frame 1 opens nothing; leaving the row empties it.
  d.clickCell(w.MSF_Encode, 4, 2);
  EXPECT_FALSE(w.Text_Encode.visible());
}

// A code editor opens with its cell's whole text selected: what the user types replaces it.
TEST_F(Five_Tone, TypingIntoAFilledCellReplacesItsText) {
  frm_5tone& w = five();
  const struct {
    int tab;
    kit::Grid& grid;
    int col;
  } cases[] = {{2, w.MSF_Encode, 1}, {3, w.MSF_Decode, 2}};
  for (const auto& c : cases) {
    d.clickTab(w.TabStrip1, c.tab);
    c.grid.setTextMatrix(1, 1, c.col == 1 ? "12345" : "ZVEI1");
    c.grid.setTextMatrix(1, c.col, "12345");
    d.clickCell(c.grid, 1, c.col);
    d.type("54321");
    d.clickCell(c.grid, 1, 0);
    EXPECT_EQ(c.grid.textMatrix(1, c.col), "54321") << c.tab;
  }
  EXPECT_TRUE(box_texts().empty());
}

TEST_F(Five_Tone, DecodeCodesAreCheckedAtEveryLength) {
  frm_5tone& w = five();
  d.clickTab(w.TabStrip1, 3);
  w.MSF_Decode.setTextMatrix(1, 4, "     ");
  d.clickCell(w.MSF_Decode, 1, 4);
  EXPECT_EQ(box_texts(), std::vector<std::string>(5, "Group Digits only by 0 to 9 and A to F."));
  d.clearMessageBoxes();
  d.selectAll();
  d.type("G");
  EXPECT_EQ(box_texts().size(), 1u);
  d.selectAll();
  d.type("ABCDE");
  // A decode row without a standard: no editor, yet the actions follow the code clicked.
  d.clickCell(w.MSF_Decode, 6, 2);
  EXPECT_FALSE(w.Text_Decode.visible());
  EXPECT_EQ(w.Cur_Dec_Row, 5);
  EXPECT_EQ(w.Frame_Dec_xx.caption(), "Execute after Code 6 Decode Succeeded ");
}

TEST_F(Five_Tone, ActionBoxesStoreIntoTheSelectedCode) {
  frm_5tone& w = five();
  d.clickTab(w.TabStrip1, 3);
  d.clickCell(w.MSF_Decode, 4, 0);
  d.click(w.Check_Ts[0]);
  d.click(w.Check_zh2[0]);
  EXPECT_EQ(w.Dec_Actions(3, 0), 8);
  EXPECT_EQ(w.Dec_Actions(3, 1), 4);
  d.clickCell(w.MSF_Decode, 1, 0);
  EXPECT_EQ(w.Check_Disp[0].value(), 1);
  EXPECT_EQ(w.Check_Ts[0].value(), 0);
  EXPECT_EQ(w.Dec_Actions(0, 0), 3);
  d.doubleClickCell(w.MSF_Decode, 1, 0);
  EXPECT_EQ(w.Dec_Actions(0, 0), 0);
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 1), "");
  EXPECT_EQ(w.Check_Disp[0].value(), 0);
  d.doubleClickCell(w.MSF_Decode, 0, 0);
  EXPECT_EQ(w.MSF_Decode.textMatrix(0, 0), "Code");
}

TEST_F(Five_Tone, StandardsEditorAndViewer) {
  frm_5tone& w = five();
  d.clickCell(w.MSF_Chann, 12, 1);
  EXPECT_EQ(w.Combo_stxh.text(), "EURO");
  EXPECT_EQ(w.Label_freq[0].caption(), "979.8");
  ASSERT_TRUE(w.Combo_edit.visible());
  EXPECT_EQ(w.Combo_edit.items().front(), "20");
  EXPECT_EQ(w.Combo_edit.text(), "100");
  d.type("5");
  EXPECT_EQ(w.Combo_edit.text(), "100");
  d.pick(w.Combo_edit, "40");
  d.clickCell(w.MSF_Chann, 3, 2);
  EXPECT_EQ(w.MSF_Chann.textMatrix(12, 1), "40");
  d.clickCell(w.MSF_Chann, 13, 0);
  EXPECT_EQ(w.Combo_stxh.text(), "CCITT");
  EXPECT_FALSE(w.Combo_edit.visible());
}

TEST_F(Five_Tone, AScrollHidesTheCellEditorsSoNoKeyOrPickChangesACell) {
  frm_5tone& w = five();
  const Scroll_Case cases[] = {
      {"standard period, wheel", 1, w.MSF_Chann, 1, 1, w.Combo_edit, false, ""},
      {"encode code, wheel", 2, w.MSF_Encode, 1, 1, w.Text_Encode, false, "98765"},
      {"encode standard, columns scrolled", 2, w.MSF_Encode, 1, 5, w.Combo_Encode, true, ""},
      {"decode code, wheel", 3, w.MSF_Decode, 1, 2, w.Text_Decode, false, "98765"},
      {"decode function, columns scrolled", 3, w.MSF_Decode, 1, 3, w.Combo_Decode, true, ""},
  };
  for (const Scroll_Case& c : cases) expect_scroll_hides_editor(c);
}

TEST_F(Five_Tone, APickMadeBeforeAScrollReachesItsCellWhenTheCellIsLeft) {
  frm_5tone& w = five();
  expect_pick_kept_over_scroll(1, w.MSF_Chann, 1, 1, w.Combo_edit, "40", false, 6, 2);
}

TEST_F(Five_Tone, ACellOnlyLookedAtChangesNothing) {
  frm_5tone& w = five();
  for (int r : {1, 5}) {
    w.MSF_Encode.setTextMatrix(r, 1, "12345");
    w.MSF_Encode.setTextMatrix(r, 5, "ZVEI1");
    w.MSF_Decode.setTextMatrix(r, 1, "ZVEI1");
    w.MSF_Decode.setTextMatrix(r, 2, "54321");
    w.MSF_Decode.setTextMatrix(r, 3, Get_Call_Type(data, 4));
  }
  // A code of another length, as no editor would have let through: only looking at it
  // shows no message either.
  w.MSF_Encode.setTextMatrix(5, 2, "12");
  const std::vector<const kit::Grid*> grids{&w.MSF_Chann, &w.MSF_Encode, &w.MSF_Decode};
  const Look_Case cases[] = {
      {"standard period", 1, w.MSF_Chann, 5, 1, w.Combo_edit},
      {"standard digit", 1, w.MSF_Chann, 5, 3, w.Combo_edit},
      {"encode code", 2, w.MSF_Encode, 5, 1, w.Text_Encode},
      {"encode code of two characters", 2, w.MSF_Encode, 5, 2, w.Text_Encode},
      {"encode standard", 2, w.MSF_Encode, 5, 5, w.Combo_Encode},
      {"decode standard", 3, w.MSF_Decode, 5, 1, w.Combo_Decode},
      {"decode code", 3, w.MSF_Decode, 5, 2, w.Text_Decode},
      {"decode function", 3, w.MSF_Decode, 5, 3, w.Combo_Decode},
  };
  for (const Look_Case& c : cases) expect_looked_at_changes_nothing(c, grids);
}

// A code of the wrong length typed, then refused: by a save after a scroll or a page switch took
// its editor out of sight, or as a click or an arrow key leaves its cell. The page, the cell and
// the editor come back into view with the focus in the editor, and the current cell stays on the
// code's cell: the code the user mends goes into that cell, never into one the refused move went
// to.
TEST_F(Five_Tone, ARefusedCodeKeepsItsEditorOverItsCellToBeMended) {
  frm_5tone& w = five();
  kit::TabStrip& tabs = w.TabStrip1;
  const auto save = [&] { EXPECT_FALSE(w.commitPending()); };
  const struct {
    const char* name;
    int tab;
    kit::Grid& grid;
    int col;
    kit::TextBox& editor;
    std::function<void()> refuse;
  } cases[] = {
      {"encode, a scroll, then a save", 2, w.MSF_Encode, 1, w.Text_Encode,
       [&] {
         d.scroll(w.MSF_Encode, 8);
         save();
       }},
      {"encode, a page switch, then a save", 2, w.MSF_Encode, 2, w.Text_Encode,
       [&] {
         d.clickTab(tabs, 1);
         save();
       }},
      {"decode, a scroll, then a save", 3, w.MSF_Decode, 2, w.Text_Decode,
       [&] {
         d.scroll(w.MSF_Decode, 8);
         save();
       }},
      {"encode, a click on a number", 2, w.MSF_Encode, 1, w.Text_Encode,
       [&] { d.clickCell(w.MSF_Encode, 2, 0); }},
      {"encode, a click on a standard", 2, w.MSF_Encode, 1, w.Text_Encode,
       [&] { d.clickCell(w.MSF_Encode, 2, 5); }},
      {"encode, a click on another code", 2, w.MSF_Encode, 1, w.Text_Encode,
       [&] { d.clickCell(w.MSF_Encode, 2, 2); }},
      {"encode, an arrow after a scroll", 2, w.MSF_Encode, 1, w.Text_Encode,
       [&] {
         d.scroll(w.MSF_Encode, 8);
         d.arrow(kit::Arrow::Down);
       }},
      {"decode, a click on a number", 3, w.MSF_Decode, 2, w.Text_Decode,
       [&] { d.clickCell(w.MSF_Decode, 2, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    d.clickTab(tabs, c.tab);
    d.clickCell(c.grid, 1, 0);
    for (int r : {1, 2}) {
      c.grid.setTextMatrix(r, 1, c.tab == 2 ? "12345" : "ZVEI1");
      c.grid.setTextMatrix(r, 2, "11111");
      c.grid.setTextMatrix(r, c.col, "11111");
    }
    const auto second = row_cells(c.grid, 2, 1, c.grid.cols() - 1);
    d.clickCell(c.grid, 1, c.col);
    d.selectAll();
    d.type("12");
    d.clearMessageBoxes();
    c.refuse();
    EXPECT_EQ(box_texts().size(), 1u);
    EXPECT_EQ(tabs.selectedIndex(), c.tab);
    EXPECT_EQ(c.grid.topRow(), 1);
    EXPECT_TRUE(c.editor.shownOnForm());
    EXPECT_EQ(d.focused(), &c.editor);
    EXPECT_EQ(c.editor.text(), "12");
    d.selectAll();
    d.type("54321");
    d.clearMessageBoxes();
    d.clickCell(c.grid, 3, 0);
    EXPECT_TRUE(box_texts().empty());
    EXPECT_EQ(c.grid.textMatrix(1, c.col), "54321");
    EXPECT_EQ(row_cells(c.grid, 2, 1, c.grid.cols() - 1), second);
    EXPECT_FALSE(c.editor.visible());
  }
}

TEST_F(Five_Tone, ReadPagesShowAndBuildBack) {
  frm_5tone& w = five();
  std::vector<int> std_page(256, 0), enc(256, 0xFF), transpond(256, 0), dec(256, 0xFF),
      reply(256, 0xFF);
  std_page[0] = 0xFF, std_page[1] = 0x10, std_page[2] = 3;
  enc[0] = 0xFF, enc[1] = 2, enc[2] = 3, enc[3] = 4, enc[4] = 5, enc[15] = 0x0F;
  transpond[240] = 10, transpond[241] = 20, transpond[242] = 30, transpond[243] = 0xFF;
  dec[15] = 3;
  reply[5] = 3;
  for (int k = 8; k < 16; ++k) reply[k] = k == 8 ? 6 : 0;
  reply[240] = 0xFF, reply[241] = 1, reply[242] = 0, reply[243] = 0xFF;
  put_page(2, std_page), put_page(6, enc), put_page(10, transpond), put_page(14, dec),
      put_page(18, reply);
  w.Image_To_Grids();
  EXPECT_EQ(row_cells(w.MSF_Chann, 1, 1, 3), (std::vector<std::string>{"2550", " ", "3"}));
  EXPECT_EQ(w.MSF_Encode.textMatrix(1, 1), " 2345");
  EXPECT_EQ(w.MSF_Encode.textMatrix(1, 5), "");
  EXPECT_EQ(w.Combo_Enc_ys1.text(), "100");
  EXPECT_EQ(w.Combo_enc_ys3.text(), "300");
  EXPECT_EQ(w.Combo_Enc_ys4.text(), "1000");
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 1), "ZVEI1");
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 3), "3.Monitor");
  EXPECT_EQ(w.MSF_Decode.textMatrix(1, 5), "");
  EXPECT_EQ(w.Combo_Dec_Res_Time.text(), "8000");
  EXPECT_EQ(w.Combo_Dec_Back_Time.text(), "2500");
  EXPECT_EQ(w.Check_Dec_back.value(), 1);
  EXPECT_TRUE(w.Check_Dec_Bcl.enabled());
  EXPECT_EQ(w.Check_Led[0].value(), 1);
  EXPECT_EQ(w.Check_Kz[0].value(), 1);

  w.Grids_To_Image();
  EXPECT_EQ(stage_bytes(64, 0, 2), (V{255, 255, 3}));
  EXPECT_EQ(stage_bytes(80, 0, 4), (V{2, 3, 4, 5, 255}));
  EXPECT_EQ(stage_row(80)[15], 255);
  EXPECT_EQ(stage_row(112)[15], 3);
  EXPECT_EQ(stage_bytes(128, 5, 7), (V{3, 255, 255}));
  EXPECT_EQ(stage_bytes(143, 0, 3), (V{79, 1, 0, 20}));
}

}  // namespace
}  // namespace j5::tone_test
