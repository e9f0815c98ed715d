// The FM window: its load, grid editing and band limit boxes.
#include <functional>

#include "fm_fixture.h"

namespace j5::fm_test {
namespace {

using FmWindow = Fm_Fixture;

TEST_F(FmWindow, LoadsWithDefaultsAndEncodesThemOnActivation) {
  frm_FM& w = open();
  EXPECT_EQ(w.caption(), "FM Radio Information");
  EXPECT_EQ(w.MSF_Chann.rows(), 17);
  EXPECT_EQ(w.MSF_Chann.textMatrix(0, 1), " Receive Frequency (MHZ)");
  for (int r = 1; r <= 16; ++r) EXPECT_EQ(w.MSF_Chann.textMatrix(r, 0), std::to_string(r));
  EXPECT_EQ(w.MSF_Chann.textMatrix(16, 1), "105.90000");
  EXPECT_EQ(w.MSF_Chann.textMatrix(3, 1), "");
  EXPECT_EQ(bands(w),
            (std::vector<std::string>{"136.00000", "174.00000", "400.00000", "479.00000"}));
  EXPECT_EQ(w.Text_pvfo2_FM.text(), "108.00000");
  EXPECT_FALSE(w.Text_Edit.visible());
  EXPECT_TRUE(d.messageBoxes().empty());
  // Activation stepped through the rows, so the defaults are in Fm_Image, and nothing in the image.
  EXPECT_EQ(fm_row(0),
            (std::vector<int>{0, 8, 8, 9, 0, 0, 0, 0, 0xFF, 'H', 'N', 'N', 'E', 'W', 0xFF, 0xFF}));
  EXPECT_EQ(fm_row(2, 0, 8), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0xFF}));
  EXPECT_EQ(fm_row(16, 0, 11), (std::vector<int>{1, 3, 6, 1, 7, 4, 4, 0, 0, 4, 7, 9}));
  expect_image_untouched();
}

TEST_F(FmWindow, UnknownBandsShowZeroAndMinusOneAndRefuseTheWrite) {
  data.Band_A_Low = data.Band_A_High = data.Band_B_Low = data.Band_B_High = 0;
  frm_FM& w = open();
  EXPECT_EQ(bands(w), (std::vector<std::string>{"0.00000", "-1.00000", "0.00000", "-1.00000"}));
  d.click(w.Command_Write);
  EXPECT_EQ(box_texts(),
            (std::vector<std::string>{
                "A band limit must be a whole number from 0 to 999 MHZ; nothing was written."}));
  EXPECT_FALSE(w.Transfer.Busy());
  EXPECT_TRUE(radio.log().empty());
}

TEST_F(FmWindow, ChineseTexts) {
  data.Lang_Chn = kTrue;
  frm_FM& w = open();
  EXPECT_EQ(w.caption(), "FM 收音机频道编辑");
  EXPECT_EQ(w.Command_Clear.caption(), "清  除");
  EXPECT_EQ(w.Label_A.caption(), " A 段频率范围 ");
  EXPECT_EQ(w.MSF_Chann.textMatrix(0, 0), "FM 频 道 号");
}

TEST_F(FmWindow, FrequencyCellEditing) {
  frm_FM& w = open();
  const struct {
    const char* typed;
    const char* cell;
    bool message;
  } cases[] = {{"90", "90.00000", false},          {"105", "105.00000", false},
               {"88.5", "88.50000", false},        {"100.5", "100.50000", false},
               {"87.5", "87.50000", false},        {"108", "108.00000", false},
               {"100.123456", "100.12345", false}, {" 99.1 ", "99.10000", false},
               {"87.4", "87.50000", true},         {"108.01", "87.50000", true},
               {"abc", "87.50000", true},          {"1e999", "87.50000", true}};
  for (const auto& c : cases) {
    d.clearMessageBoxes();
    edit_cell(w, 3, 1, c.typed, 5, 2);
    EXPECT_EQ(w.MSF_Chann.textMatrix(3, 1), c.cell) << c.typed;
    EXPECT_EQ(d.messageBoxes().size(), c.message ? 1u : 0u) << c.typed;
  }
  EXPECT_EQ(d.lastMessageBox().text, "Over the range of receive frequency .");
  EXPECT_EQ(d.lastMessageBox().title, "Operate prompt");
  EXPECT_EQ(fm_row(2, 0, 7), (std::vector<int>{0, 8, 7, 5, 0, 0, 0, 0}));
}

TEST_F(FmWindow, NameCellEditingAndDeletingAChannel) {
  frm_FM& w = open();
  edit_cell(w, 1, 2, "  abcdefgh ", 5, 1);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"The letter of channel name max 6 bit . "});
  EXPECT_EQ(d.lastMessageBox().title, "Operate Prompt");
  EXPECT_EQ(w.MSF_Chann.textMatrix(1, 2), "ABCDEF");
  EXPECT_EQ(fm_row(0, 8, 15), (std::vector<int>{'A', 'B', 'C', 'D', 'E', 'F', 0xFF, 0xFF}));
  d.clearMessageBoxes();
  edit_cell(w, 2, 2, "a b", 5, 1);
  EXPECT_TRUE(d.messageBoxes().empty());
  EXPECT_EQ(w.MSF_Chann.textMatrix(2, 2), "A B");
  EXPECT_EQ(fm_row(1, 8, 15), (std::vector<int>{0xFF, 0xFF, 'A', ' ', 'B', 0xFF, 0xFF, 0xFF}));
  // A name on a channel without a frequency is not kept.
  edit_cell(w, 3, 2, "XYZ", 5, 1);
  EXPECT_EQ(w.MSF_Chann.textMatrix(3, 2), "");
  // Blanking the frequency deletes the channel, without a message.
  edit_cell(w, 1, 1, "", 5, 1);
  EXPECT_EQ(w.MSF_Chann.textMatrix(1, 1), "");
  EXPECT_EQ(w.MSF_Chann.textMatrix(1, 2), "");
  EXPECT_EQ(fm_row(0),
            (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255}));
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(FmWindow, CellsLeftWithoutTheEditorKeepTheirChannel) {
  frm_FM& w = open();
  // Arrow keys over the stations place no editor, and leave every channel as it was.
  d.clickCell(w.MSF_Chann, 1, 0);
  EXPECT_FALSE(w.Text_Edit.visible());
  d.arrow(kit::Arrow::Right);
  for (int i = 0; i < 5; ++i) d.arrow(kit::Arrow::Down);
  d.arrow(kit::Arrow::Right);
  d.arrow(kit::Arrow::Up);
  EXPECT_FALSE(w.Text_Edit.visible());
  EXPECT_EQ(w.MSF_Chann.textMatrix(1, 1), "88.90000");
  EXPECT_EQ(w.MSF_Chann.textMatrix(6, 2), "HNBBC");
  EXPECT_EQ(fm_row(5, 0, 3), (std::vector<int>{0, 9, 5, 5}));
  // Scrolling hides the editor; its text is still applied when the cell is left.
  d.clickCell(w.MSF_Chann, 2, 1);
  d.selectAll();
  d.type("91");
  d.scroll(w.MSF_Chann, 3);
  EXPECT_FALSE(w.Text_Edit.visible());
  // The grid takes the focus from the hidden editor: a key pressed now reaches no band box or
  // button.
  EXPECT_EQ(d.focused(), &w.MSF_Chann);
  d.enter();
  d.clickCell(w.MSF_Chann, 4, 0);
  EXPECT_EQ(w.MSF_Chann.textMatrix(2, 1), "91.00000");
  // Enter keeps the editor in its cell.
  d.clickCell(w.MSF_Chann, 2, 2);
  d.enter();
  EXPECT_TRUE(w.Text_Edit.visible());
  EXPECT_EQ(w.MSF_Chann.row(), 2);
}

// A station's cell opened and left without a key typed, in each way a cell is left, changes no
// station and shows nothing, even where the cell shows a frequency the editor would refuse.
TEST_F(FmWindow, ACellOnlyLookedAtChangesNothing) {
  frm_FM& w = open();
  kit::Grid& g = w.MSF_Chann;
  const struct {
    const char* name;
    std::function<void()> leave;
  } ways[] = {
      {"a click on another cell", [&] { d.clickCell(g, 5, 2); }},
      {"Enter", [&] { d.enter(); }},
      {"Tab", [&] { d.tab(); }},
      {"a scroll, then a click",
       [&] {
         d.scroll(g, 3);
         d.clickCell(g, 6, 1);
         d.scroll(g, 1);
       }},
      {"a save, write or switch", [&] { EXPECT_TRUE(w.commitPending()); }},
  };
  g.setTextMatrix(2, 1, "80.00000");
  d.clickCell(g, 2, 0);  // the station stored as shown
  for (int col : {1, 2}) {
    for (int row : {1, 2}) {
      for (const auto& way : ways) {
        SCOPED_TRACE(std::string(way.name) + ", row " + std::to_string(row) + ", column " +
                     std::to_string(col));
        d.clickCell(g, 4, 0);
        d.clearMessageBoxes();
        const std::vector<std::string> shown{g.textMatrix(row, 1), g.textMatrix(row, 2)};
        const auto stations = data.Fm_Image;
        d.clickCell(g, row, col);
        ASSERT_TRUE(w.Text_Edit.visible());
        way.leave();
        d.clickCell(g, 4, 0);
        EXPECT_EQ((std::vector<std::string>{g.textMatrix(row, 1), g.textMatrix(row, 2)}), shown);
        EXPECT_TRUE(data.Fm_Image == stations);
        EXPECT_EQ(box_texts(), std::vector<std::string>{});
      }
    }
  }
}

// The editor opens with its cell's whole text selected: what the user types replaces it.
TEST_F(FmWindow, TypingIntoAFilledCellReplacesItsText) {
  frm_FM& w = open();
  d.clickCell(w.MSF_Chann, 1, 1);
  d.type("91");
  d.clickCell(w.MSF_Chann, 6, 2);
  d.type("xy");
  d.clickCell(w.MSF_Chann, 4, 0);
  EXPECT_EQ(w.MSF_Chann.textMatrix(1, 1), "91.00000");
  EXPECT_EQ(w.MSF_Chann.textMatrix(6, 2), "XY");
  EXPECT_TRUE(box_texts().empty());
}

TEST_F(FmWindow, BandLimitBoxes) {
  frm_FM& w = open();
  const struct {
    kit::TextBox frm_FM::*box;
    const char* typed;
    const char* result;
    const char* message;
  } cases[] = {
      {&frm_FM::Text_pvfo1_A, "140", "140.00000", nullptr},
      {&frm_FM::Text_pvfo1_A, "136", "136.00000", nullptr},
      {&frm_FM::Text_pvfo2_A, "174", "174.00000", nullptr},
      {&frm_FM::Text_pvfo1_A, "130", "136.00000",
       "Over the range of A band lower limit frequency ."},
      {&frm_FM::Text_pvfo1_A, "135.6", "136.00000",
       "Over the range of A band lower limit frequency ."},
      {&frm_FM::Text_pvfo2_A, "180", "174.00000",
       "Over the range of A band upper limit frequency ."},
      {&frm_FM::Text_pvfo2_B, "abc", "479.00000",
       "Over the range of B band upper limit frequency ."},
      {&frm_FM::Text_pvfo2_A, "150", "150.00000", nullptr},
      {&frm_FM::Text_pvfo1_A, "160", "136.00000",
       "The lower limit frequency can not bigger than the upper limit ."},
      {&frm_FM::Text_pvfo1_A, "150", "150.00000", nullptr},
      {&frm_FM::Text_pvfo2_A, "140", "174.00000",
       "The upper limit frequency can not smaller than the lower limit ."},
  };
  for (const auto& c : cases) {
    d.clearMessageBoxes();
    kit::TextBox& box = w.*c.box;
    d.focus(box);
    d.selectAll();
    d.type(c.typed);
    d.focus(w.MSF_Chann);
    EXPECT_EQ(box.text(), c.result) << c.typed;
    EXPECT_EQ(box_texts(),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
        << c.typed;
  }
  // A tenth character shows the valid range at each change and keeps the focus in the box.
  d.clearMessageBoxes();
  d.focus(w.Text_pvfo1_B);
  d.selectAll();
  d.type("4000000000");
  EXPECT_EQ(box_texts(), std::vector<std::string>{
                             "The availability range of  B band frequency is from  400.00000MHZ to "
                             "479.00000MHZ   "});
  EXPECT_EQ(d.focused(), &w.Text_pvfo1_B);
  EXPECT_EQ(w.Text_pvfo1_B.text(), "4000000000");
}

TEST_F(FmWindow, ClearThenWriteSendsEmptyChannels) {
  frm_FM& w = open();
  d.click(w.Command_Clear);
  for (int r = 1; r <= 16; ++r) EXPECT_EQ(w.MSF_Chann.textMatrix(r, 1), "");
  EXPECT_EQ(bands(w), (std::vector<std::string>(4, "")));
  EXPECT_EQ(data.Block_Buf(0, 0), 0);
  d.click(w.Command_Write);
  for (int r = 0; r < 16; ++r)
    EXPECT_EQ(fm_row(r),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255}));
  EXPECT_EQ(fm_row(16, 0, 11), std::vector<int>(12, 0));
  EXPECT_TRUE(w.Transfer.Busy());
}

}  // namespace
}  // namespace j5::fm_test
