// Editing channels in the grid as a user does: which editor a cell opens,
// typing, picking, Enter, and what each column's commit stores.
#include <gtest/gtest.h>

#include <functional>

#include "chann_fixture.h"

namespace j5::chann_test {
namespace {

using Bytes = std::vector<int>;
using Cells = std::vector<std::string>;

const std::string kRxRange = "Over the range of receive frequency .";
const std::string kTxRange = "Over the range of transmit frequency .";
const std::string kRxFirst = "Please input the receive frequency in advance.";
const std::string kNameLength = "The letter of channel name max 6 bit . ";

// --- which editor, where ---------------------------------------------------

TEST(ChannEditors, EachColumnOpensItsEditorOverTheCell) {
  ChannFixture f;
  frm_chann& w = f.open();
  struct Case {
    int row, col;
    enum { None, Text, List } editor;
    int items;
  };
  const Case cases[] = {{1, 0, Case::None, 0},
                        {1, 1, Case::List, 1},
                        {1, 2, Case::Text, 0},
                        {1, 3, Case::Text, 0},
                        {1, 4, Case::List, 261},
                        {1, 5, Case::List, 261},
                        {1, 6, Case::List, 3},
                        {1, 7, Case::List, 2},
                        {1, 8, Case::List, 4},
                        {1, 9, Case::List, 2},
                        {1, 10, Case::List, 2},
                        {1, 11, Case::List, 15},
                        {1, 12, Case::List, 9},
                        {1, 13, Case::Text, 0},
                        // An empty channel: only band, frequencies and name.
                        {20, 1, Case::List, 1},
                        {20, 2, Case::Text, 0},
                        {20, 4, Case::None, 0},
                        {20, 12, Case::None, 0},
                        {20, 13, Case::Text, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.col));
    f.d.clickCell(f.grid(), c.row, c.col);
    EXPECT_EQ(w.Text_Edit.visible(), c.editor == Case::Text);
    EXPECT_EQ(w.Combo_edit.visible(), c.editor == Case::List);
    kit::Control& editor = c.editor == Case::List ? static_cast<kit::Control&>(w.Combo_edit)
                                                  : static_cast<kit::Control&>(w.Text_Edit);
    if (c.editor == Case::None) {
      EXPECT_EQ(f.d.focused(), &f.grid());
      continue;
    }
    EXPECT_EQ(f.d.focused(), &editor);
    EXPECT_EQ(editor.left(), w.MSF_Chann.left() + f.grid().colPos(c.col));
    EXPECT_EQ(editor.top(), w.MSF_Chann.top() + f.grid().rowPos(c.row));
    EXPECT_EQ(editor.width(), f.grid().colWidth(c.col));
    if (c.editor == Case::Text) {
      EXPECT_EQ(editor.height(), f.grid().rowHeight(c.row));
      EXPECT_EQ(w.Text_Edit.text(), f.cell(c.row, c.col));
    } else {
      EXPECT_EQ(w.Combo_edit.listCount(), c.items);
      // A tone cell opens with an empty text field; the others show the cell.
      EXPECT_EQ(w.Combo_edit.text(), c.col == 4 || c.col == 5 ? "" : f.cell(c.row, c.col));
    }
  }
  f.d.clickCell(f.grid(), 1, 12);
  EXPECT_EQ(w.Combo_edit.list(0), "OFF");
  EXPECT_EQ(w.Combo_edit.list(8), "8");
  f.d.clickCell(f.grid(), 1, 4);
  EXPECT_EQ(w.Combo_edit.list(0), "OFF");
  EXPECT_EQ(w.Combo_edit.list(1), "67.0");
  EXPECT_EQ(w.Combo_edit.list(260), "D754I");
}

TEST(ChannEditors, NoEncodeToneEditorWithoutAReceiveFrequency) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.pick(20, 1, "VHF/UHF");
  EXPECT_EQ(f.cell(20, 1), "VHF/UHF");
  f.d.clickCell(f.grid(), 20, 5);
  EXPECT_FALSE(w.Combo_edit.visible());
  EXPECT_FALSE(w.Text_Edit.visible());
  // The band allows the other settings, though.
  f.d.clickCell(f.grid(), 20, 6);
  EXPECT_TRUE(w.Combo_edit.visible());
}

TEST(ChannEditors, ScrollingHidesTheTextEditorButTheEditIsStillCommitted) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.typeInto(2, 2, "150");
  f.d.scroll(f.grid(), 40);
  EXPECT_FALSE(w.Text_Edit.visible());
  f.d.clickCell(f.grid(), 45, 0);
  EXPECT_EQ(f.record(1, 0, 7), (Bytes{0, 0, 0x00, 0x15, 0, 0, 0x00, 0x15}));
}

// The rows or columns that move under an open editor hide it, the focus back to the grid: a key
// or a pick meant for the channel the user now sees there stores into no channel.
TEST(ChannEditors, AScrollHidesEveryCellEditorSoNoKeyOrPickReachesAChannel) {
  const struct {
    const char* name;
    int col;
    bool columns;  // the horizontal bar, else the wheel
    std::function<void(ChannFixture&, frm_chann&)> then;
  } cases[] = {
      {"bandwidth list, wheel, Down", 7, false,
       [](ChannFixture& f, frm_chann&) { f.d.arrow(kit::Arrow::Down); }},
      {"power list, wheel, a pick by mouse", 6, false,
       [](ChannFixture& f, frm_chann& w) { f.d.pick(w.Combo_edit, "LOW"); }},
      {"decode tone list, columns scrolled, a tone typed and Enter", 4, true,
       [](ChannFixture& f, frm_chann&) {
         f.d.type("67.0");
         f.d.enter();
       }},
      {"receive frequency, columns scrolled, typing and Enter", 2, true,
       [](ChannFixture& f, frm_chann&) {
         f.d.selectAll();
         f.d.type("150");
         f.d.enter();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChannFixture f;
    frm_chann& w = f.open();
    const MemImage before = f.data.Mem_Image;
    f.d.clickCell(f.grid(), 2, c.col);
    ASSERT_TRUE(w.Combo_edit.visible() || w.Text_Edit.visible());
    if (c.columns) {
      f.d.scrollLeft(f.grid(), 5);
    } else {
      f.d.scroll(f.grid(), 7);
    }
    EXPECT_FALSE(w.Combo_edit.visible());
    EXPECT_FALSE(w.Text_Edit.visible());
    EXPECT_EQ(f.d.focused(), &f.grid());
    c.then(f, w);
    f.clickAway();
    EXPECT_TRUE(f.data.Mem_Image == before);
    EXPECT_EQ(f.cells(2, 2, 7), (Cells{"136.10000", "136.10000", "OFF", "OFF", "HIGH", "W"}));
  }
}

TEST(ChannEditors, EnterBringsTheNextCellIntoViewBeforeItsEditorGoesThere) {
  ChannFixture f;
  frm_chann& w = f.open();
  kit::Grid& g = f.grid();
  // A grid that shows only some columns beside its vertical bar.
  g.move(g.left(), g.top(), 6000, g.height());
  ASSERT_TRUE(g.showsVerticalBar());
  const double roomRight = g.left() + 6000 - 30 - 255;
  auto inView = [&](const kit::Control& editor) {
    return editor.left() >= g.left() + 30 && editor.left() + editor.width() <= roomRight;
  };
  f.typeInto(20, 2, "145.5");
  for (int col = 3; col <= 13; ++col) {
    SCOPED_TRACE(col);
    f.d.enter();
    ASSERT_EQ(g.col(), col);
    const kit::Control& editor = col == 3 || col == 13 ? static_cast<kit::Control&>(w.Text_Edit)
                                                       : static_cast<kit::Control&>(w.Combo_edit);
    ASSERT_TRUE(editor.visible());
    EXPECT_TRUE(inView(editor)) << editor.left() << " + " << editor.width();
    if (col == 4) f.d.type("67");
    if (col == 5) f.d.type("67");
    if (col >= 6 && col <= 12) f.d.pick(w.Combo_edit, w.Combo_edit.list(0));
  }
  f.d.type("far");
  f.d.enter();
  f.clickAway();
  EXPECT_EQ(f.nameRow(19), (Bytes{'F', 'A', 'R', 255, 255, 255}));
}

// An editor opened over a filled cell and left without a key typed or an item picked changes no
// channel and shows nothing, however the cell is left: a receive frequency does not become the
// transmit one, a frequency outside the bands is not replaced by the band's lower limit.
TEST(ChannEditors, ACellOnlyLookedAtChangesNothingHoweverItIsLeft) {
  const struct {
    const char* name;
    std::function<void(ChannFixture&, frm_chann&)> leave;
  } ways[] = {
      {"a click on another cell",
       [](ChannFixture& f, frm_chann&) { f.d.clickCell(f.grid(), 7, 2); }},
      {"Enter", [](ChannFixture& f, frm_chann&) { f.d.enter(); }},
      {"Tab", [](ChannFixture& f, frm_chann&) { f.d.tab(); }},
      {"a scroll, then a click",
       [](ChannFixture& f, frm_chann&) {
         f.d.scroll(f.grid(), 40);
         f.d.clickCell(f.grid(), 45, 2);
       }},
      {"a save, write or switch",
       [](ChannFixture&, frm_chann& w) { EXPECT_TRUE(w.commitPending()); }},
      {"the window closed", [](ChannFixture& f, frm_chann& w) { EXPECT_TRUE(f.d.close(w)); }},
  };
  const struct {
    int row, col;
  } cells[] = {
      {6, frm_chann::kColBand}, {6, frm_chann::kColRx},  {6, frm_chann::kColTx},
      {6, frm_chann::kColDec},  {6, frm_chann::kColEnc}, {6, frm_chann::kColPower},
      {6, frm_chann::kColName}, {1, frm_chann::kColRx},  {1, frm_chann::kColTx},
  };
  for (const auto& way : ways) {
    for (const auto& cell : cells) {
      SCOPED_TRACE(std::string(way.name) + ", row " + std::to_string(cell.row) + ", column " +
                   std::to_string(cell.col));
      ChannFixture f;
      frm_chann& w = f.open();
      // Channel 5 with a repeater split and a name; channel 0's 245.625 MHz lies in no band.
      f.typeInto(6, frm_chann::kColTx, "440");
      f.typeInto(6, frm_chann::kColName, "ab");
      f.clickAway();
      f.data.UHF0_Low = 250;
      f.d.clearMessageBoxes();
      const MemImage before = f.data.Mem_Image;
      const Cells shown = f.cells(cell.row);
      f.d.clickCell(f.grid(), cell.row, cell.col);
      ASSERT_TRUE(w.Text_Edit.visible() || w.Combo_edit.visible());
      way.leave(f, w);
      if (f.program.frm_chann.loaded()) f.clickAway();
      EXPECT_TRUE(f.data.Mem_Image == before);
      EXPECT_TRUE(f.d.messageBoxes().empty()) << f.d.lastMessageBox().text;
      if (f.program.frm_chann.loaded()) {
        EXPECT_EQ(f.cells(cell.row), shown);
      }
    }
  }
}

// A text editor opens with its cell's whole text selected: what the user types replaces it.
TEST(ChannEditors, TypingIntoAFilledCellReplacesItsText) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.d.clickCell(f.grid(), 2, frm_chann::kColRx);
  EXPECT_EQ(w.Text_Edit.selLength(), 9);
  f.d.type("150.5");
  f.d.enter();
  ASSERT_EQ(f.grid().col(), frm_chann::kColTx);
  f.d.type("151");
  f.d.enter();
  f.typeInto(2, frm_chann::kColName, "ab");
  f.clickAway();
  f.d.clickCell(f.grid(), 2, frm_chann::kColName);
  f.d.type("cd");
  f.clickAway();
  EXPECT_EQ(f.cells(2, 2, 3), (Cells{"150.50000", "151.00000"}));
  EXPECT_EQ(f.cell(2, frm_chann::kColName), "CD");
  EXPECT_EQ(f.record(1, 0, 7), (Bytes{0x00, 0x00, 0x05, 0x15, 0x00, 0x00, 0x10, 0x15}));
}

// --- frequencies -----------------------------------------------------------

TEST(ChannCommit, ReceiveFrequenciesAreTestedAgainstTheThreeBands) {
  struct Case {
    const char* text;
    const char* shown;  // "" when refused
  };
  const Case cases[] = {{"130", "130.00000"},
                        {"179", "179.00000"},
                        {"240", "240.00000"},
                        {"260", "260.00000"},
                        {"400", "400.00000"},
                        {"520", "520.00000"},
                        {"145.0124", "145.01000"},
                        {"145.5abc", "145.50000"},
                        {"129.99", ""},
                        {"179.5", ""},
                        {"239", ""},
                        {"260.5", ""},
                        {"399", ""},
                        {"520.01", ""},
                        {"abc", ""},
                        {"-150", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ChannFixture f;
    f.open();
    f.typeInto(1, 2, c.text);
    f.clickAway();
    const bool accepted = *c.shown != 0;
    EXPECT_EQ(f.box_texts(), accepted ? Cells{} : Cells{kRxRange});
    // An accepted entry sets TX as well; a refused one on a programmed
    // channel changes only RX, to the lower limit.
    const Cells expected = accepted ? Cells{c.shown, c.shown} : Cells{"130.00000", "245.62500"};
    EXPECT_EQ(f.cells(1, 2, 3), expected);
    if (!accepted) {
      EXPECT_EQ(f.record(0, 0, 3), (Bytes{0, 0, 0x00, 0x13}));
    }
  }
}

// The radio reports its three bands in any order: a frequency is kept when it lies in any of them,
// limits included, whether typed into RX and confirmed with Enter or typed into TX and left by a
// click. A refused one becomes the VHF band's lower end.
TEST(ChannCommit, AFrequencyInAnyReportedBandIsKept) {
  const std::pair<const char*, const char*> typed[] = {
      {"130", "130.00000"}, {"136", "136.00000"}, {"174", "174.00000"}, {"175", "175.00000"},
      {"179", "179.00000"}, {"220", "220.00000"}, {"239", "239.00000"}, {"240.5", "240.50000"},
      {"260", "260.00000"}, {"300", "300.00000"}, {"399", "399.00000"}, {"440.5", "440.50000"},
      {"520", "520.00000"}, {"521", "521.00000"}};
  const struct {
    const char* bands;
    double limits[6];
    const char* kept;  // per typed frequency: 'y' kept, '.' refused
    const char* lower;
  } cases[] = {
      {"ascending", {130, 179, 240, 260, 400, 520}, "yyyyy..yy..yy.", "130.00000"},
      {"as the simulator reports them",
       {136, 174, 400, 520, 220, 260},
       ".yy..yyyy..yy.",
       "136.00000"},
      {"overlapping", {136, 174, 150, 480, 400, 520}, ".yyyyyyyyyyyy.", "136.00000"},
      {"high-first", {174, 136, 520, 400, 260, 220}, ".yy..yyyy..yy.", "136.00000"},
  };
  for (const auto& c : cases) {
    ChannFixture f;
    const double* l = c.limits;
    f.data.VHF_Low = l[0], f.data.VHF_High = l[1], f.data.UHF0_Low = l[2];
    f.data.UHF0_High = l[3], f.data.UHF1_Low = l[4], f.data.UHF1_High = l[5];
    f.open();
    for (std::size_t i = 0; i < std::size(typed); ++i) {
      const auto& [text, snapped] = typed[i];
      SCOPED_TRACE(std::string(c.bands) + ", " + text);
      const int row = 20 + static_cast<int>(i);
      f.d.clearMessageBoxes();
      f.typeInto(row, 2, text);
      f.d.enter();
      f.typeInto(row, 3, text);
      f.clickAway();
      const bool kept = c.kept[i] == 'y';
      const std::string shown = kept ? snapped : c.lower;
      EXPECT_EQ(f.box_texts(), kept ? Cells{} : (Cells{kRxRange, kTxRange}));
      EXPECT_EQ(f.cells(row, 2, 3), (Cells{shown, shown}));
    }
  }
}

TEST(ChannCommit, MessagesCarryTheExclamationAndTheirTitleInEitherLanguage) {
  for (bool chinese : {false, true}) {
    ChannFixture f(128, chinese);
    f.open();
    f.typeInto(1, 2, "1");
    f.typeInto(1, 3, "1");
    f.typeInto(20, 3, "145");
    f.typeInto(1, 13, "abcdefg");
    f.clickAway();
    const auto& boxes = f.d.messageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    const Cells texts = chinese ? Cells{"接收频率超出范围 ！", "发射频率超出范围 ！",
                                        "请先输入接收频率 ！", "信道名称的字符个数最大为 6 位 ！"}
                                : Cells{kRxRange, kTxRange, kRxFirst, kNameLength};
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(boxes[i].text, texts[i]);
      EXPECT_EQ(boxes[i].icon, kit::MsgIcon::Exclamation);
      EXPECT_EQ(boxes[i].title, chinese  ? "操作提示"
                                : i == 3 ? "Operate Prompt"
                                         : "Operate prompt");
    }
  }
}

TEST(ChannCommit, TheRangeTestStaysBelowWhatFourBcdBytesHold) {
  ChannFixture f;
  f.data.UHF1_High = 1000;  // as a radio may report it
  f.open();
  f.typeInto(1, 2, "999.99");
  f.clickAway();
  EXPECT_EQ(f.cells(1, 2, 3), (Cells{"999.99000", "999.99000"}));
  f.typeInto(1, 2, "1000");
  f.clickAway();
  EXPECT_EQ(f.box_texts(), Cells{kRxRange});
  EXPECT_EQ(f.cell(1, 2), "130.00000");
  EXPECT_EQ(f.record(0, 0, 3), (Bytes{0, 0, 0x00, 0x13}));
}

TEST(ChannCommit, AReceiveFrequencyOnAnEmptyRowMakesANewChannel) {
  ChannFixture f;
  f.open();
  f.typeInto(20, 2, "145.5");
  f.clickAway();
  EXPECT_EQ(f.cells(20), (Cells{"VHF/UHF ", "145.50000", "145.50000", "OFF", "OFF", "HIGH", "W",
                                "OFF", "OFF", "ON", "1", "OFF", ""}));
  EXPECT_EQ(f.record(19), (Bytes{0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0, 0, 0, 0, 0, 0, 0, 0x44}));
  EXPECT_EQ(f.record(256 + 19, 0, 15), Bytes(16, 255));
}

TEST(ChannCommit, ANewReceiveFrequencyKeepsTonesSettingsAndName) {
  ChannFixture f;
  f.setName(5, {0x41, 0x42});
  f.open();
  f.typeInto(6, 2, "440");
  f.clickAway();
  EXPECT_EQ(f.cells(6, 2, 6), (Cells{"440.00000", "440.00000", "250.3", "250.3", "MID"}));
  EXPECT_EQ(f.cell(6, 13), "AB");
}

TEST(ChannCommit, ARefusedReceiveFrequencyOnAnEmptyRowGivesTheLowerLimitToBoth) {
  ChannFixture f;
  f.open();
  f.typeInto(20, 2, "50");
  f.clickAway();
  EXPECT_EQ(f.box_texts(), Cells{kRxRange});
  EXPECT_EQ(f.cells(20, 1, 6), (Cells{"VHF/UHF ", "130.00000", "130.00000", "OFF", "OFF", "HIGH"}));
}

TEST(ChannCommit, ErasingTheReceiveFrequencyDeletesTheChannel) {
  ChannFixture f;
  f.setName(0, {0x41});
  f.open();
  f.d.clickCell(f.grid(), 1, 2);
  f.d.selectAll();
  f.d.del();
  f.clickAway();
  EXPECT_EQ(f.cells(1), Cells(13, ""));
  EXPECT_EQ(f.record(0), Bytes(16, 255));
  EXPECT_EQ(f.record(256, 0, 15), Bytes(16, 255));
}

TEST(ChannCommit, TransmitFrequencies) {
  ChannFixture f;
  f.open();
  // Accepted: only TX changes.
  f.typeInto(6, 3, "441");
  f.clickAway();
  EXPECT_EQ(f.cells(6, 2, 5), (Cells{"436.50000", "441.00000", "250.3", "250.3"}));
  // Refused: the lower limit, and the TX tone off.
  f.typeInto(6, 3, "300");
  f.clickAway();
  EXPECT_EQ(f.box_texts(), Cells{kTxRange});
  EXPECT_EQ(f.cells(6, 3, 5), (Cells{"130.00000", "250.3", "OFF"}));
  EXPECT_EQ(f.record(5, 4, 11), (Bytes{0, 0, 0x00, 0x13, 0xC7, 0x09, 255, 255}));
  // Erased: no TX frequency and no TX tone.
  f.d.clickCell(f.grid(), 6, 3);
  f.d.selectAll();
  f.d.del();
  f.clickAway();
  EXPECT_EQ(f.cells(6, 3, 5), (Cells{"", "250.3", ""}));
  EXPECT_EQ(f.record(5, 4, 11), (Bytes{255, 255, 255, 255, 0xC7, 0x09, 255, 255}));
  // On an empty row: the receive frequency comes first.
  f.d.clearMessageBoxes();
  f.typeInto(20, 3, "145");
  f.clickAway();
  EXPECT_EQ(f.box_texts(), Cells{kRxFirst});
  EXPECT_EQ(f.cells(20), Cells(13, ""));
  EXPECT_EQ(f.record(19), Bytes(16, 255));
  EXPECT_EQ(f.w->Text_Edit.text(), "");
}

TEST(ChannCommit, EnterWalksThroughANewChannelStoringEachEntry) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.typeInto(20, 2, "145.5");
  f.d.enter();
  ASSERT_TRUE(w.Text_Edit.visible());
  EXPECT_EQ(f.grid().col(), 3);
  EXPECT_EQ(w.Text_Edit.text(), "145.50000");
  f.d.selectAll();
  f.d.type("146");
  f.d.enter();
  ASSERT_TRUE(w.Combo_edit.visible());
  EXPECT_EQ(f.grid().col(), 4);
  f.d.type("67");
  f.d.enter();
  EXPECT_EQ(f.grid().col(), 5);
  f.d.type("d023n");
  f.d.enter();
  for (const char* item : {"LOW", "N", "BOT", "ON", "OFF", "3"}) {
    f.d.pick(w.Combo_edit, item);
    f.d.enter();
  }
  f.d.pick(w.Combo_edit, "2");  // SCR
  f.d.enter();
  ASSERT_TRUE(w.Text_Edit.visible());
  EXPECT_EQ(f.grid().col(), 13);
  f.d.type("home1");
  f.d.enter();
  EXPECT_FALSE(w.Text_Edit.visible());
  f.clickAway();
  EXPECT_TRUE(f.box_texts().empty());
  EXPECT_EQ(f.cells(20), (Cells{"VHF/UHF ", "145.50000", "146.00000", "67.0", "D023N", "LOW", "N",
                                "BOT", "ON", "OFF", "3", " 2", "HOME1"}));
  EXPECT_EQ(f.record(19),
            (Bytes{0, 0, 0x55, 0x14, 0, 0, 0x60, 0x14, 158, 2, 1, 0, 2, 0, 0x22, 0x09}));
  EXPECT_EQ(f.nameRow(19), (Bytes{'H', 'O', 'M', 'E', '1', 255}));
}

TEST(ChannCommit, EnterWithARefusedFrequencyStoresTheLowerLimit) {
  ChannFixture f;
  frm_chann& w = f.open();
  // RX: unlike a click, Enter sets TX to the lower limit as well.
  f.typeInto(1, 2, "399");
  f.d.enter();
  EXPECT_EQ(f.box_texts(), Cells{kRxRange});
  EXPECT_EQ(f.cells(1, 2, 3), (Cells{"130.00000", "130.00000"}));
  EXPECT_EQ(f.record(0, 0, 7), (Bytes{0, 0, 0x00, 0x13, 0, 0, 0x00, 0x13}));
  // TX: one message, the lower limit, then on to the tone.
  f.d.clearMessageBoxes();
  f.typeInto(6, 3, "300");
  f.d.enter();
  EXPECT_EQ(f.box_texts(), Cells{kTxRange});
  EXPECT_EQ(f.cell(6, 3), "130.00000");
  EXPECT_EQ(f.record(5, 4, 7), (Bytes{0, 0, 0x00, 0x13}));
  EXPECT_EQ(f.grid().col(), 4);
  EXPECT_TRUE(w.Combo_edit.visible());
  // Only the first nine characters of an accepted entry count.
  f.typeInto(2, 2, "145.50000999");
  f.d.enter();
  EXPECT_EQ(f.cells(2, 2, 3), (Cells{"145.50000", "145.50000"}));
}

TEST(ChannCommit, EnterOnTheTransmitCellOfAnEmptyChannelGoesToTheNextBand) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.d.clickCell(f.grid(), 20, 3);
  f.d.enter();
  EXPECT_EQ(f.grid().row(), 21);
  EXPECT_EQ(f.grid().col(), 1);
  EXPECT_TRUE(w.Combo_edit.visible());
  EXPECT_EQ(f.record(19), Bytes(16, 255));
  EXPECT_EQ(f.record(20), Bytes(16, 255));
  // The last row stays.
  f.d.clickCell(f.grid(), 128, 3);
  f.d.enter();
  EXPECT_EQ(f.grid().row(), 128);
  EXPECT_EQ(f.grid().col(), 1);
  EXPECT_TRUE(f.box_texts().empty());
}

TEST(ChannCommit, EnterInTheBandListDoesNothingAndInTheNameOnlyHidesTheEditor) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.d.clickCell(f.grid(), 1, 1);
  f.d.enter();
  EXPECT_EQ(f.grid().col(), 1);
  EXPECT_TRUE(w.Combo_edit.visible());
  f.typeInto(1, 13, "x1");
  f.d.enter();
  EXPECT_FALSE(w.Text_Edit.visible());
  EXPECT_EQ(f.grid().col(), 13);
  EXPECT_EQ(f.nameRow(0), Bytes(6, 255));
  f.clickAway();
  EXPECT_EQ(f.nameRow(0, 0, 1), (Bytes{'X', '1'}));
}

// --- tones -----------------------------------------------------------------

TEST(ChannCommit, TonesTypedAsValuesOrDcsNames) {
  struct Case {
    const char* typed;
    Bytes bytes;  // record bytes 8..11 afterwards
    const char* dec;
  };
  const Bytes untouched{255, 255, 255, 255};
  const Case cases[] = {
      {"67", {158, 2, 158, 2}, "67.0"},
      {"100.5", {237, 3, 237, 3}, "100.5"},
      {"259.9", {39, 10, 39, 10}, "259.9"},
      {"60", {88, 2, 88, 2}, "60.0"},
      {"67.35", {162, 2, 162, 2}, "67.4"},  // 673.5 rounds to the even 674
      {"76.75", {0, 3, 0, 3}, "76.8"},      // 767.5 -> 768: 0 and 3, not 256 and 2
      {"59.9", untouched, "OFF"},
      {"260", untouched, "OFF"},
      {"D023N", {1, 0, 1, 0}, "D023N"},
      {"d754i", {210, 0, 210, 0}, "D754I"},  // small letters are typed as capitals
      {"D999N", untouched, "OFF"},
      {"6x7", {158, 2, 158, 2}, "67.0"},  // other keys are dropped
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ChannFixture f;
    f.open();
    f.typeInto(1, 4, c.typed);
    f.clickAway();
    EXPECT_EQ(f.record(0, 8, 11), c.bytes);
    EXPECT_EQ(f.cell(1, 4), c.dec);
    EXPECT_TRUE(f.box_texts().empty());
  }
}

TEST(ChannCommit, TheEncodeToneAloneAndPicksFromTheToneList) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.typeInto(1, 5, "88.5");
  f.clickAway();
  EXPECT_EQ(f.record(0, 8, 11), (Bytes{255, 255, 0x75, 0x03}));
  EXPECT_EQ(f.cells(1, 4, 5), (Cells{"OFF", "88.5"}));
  // A pick stores at once; a decode pick is the encode tone too.
  f.pick(1, 4, "D023N");
  EXPECT_EQ(f.record(0, 8, 11), (Bytes{1, 0, 1, 0}));
  EXPECT_EQ(f.cell(1, 5), "D023N");
  f.clickAway();
  EXPECT_EQ(f.cell(1, 4), "D023N");
  f.pick(1, 5, "OFF");
  f.clickAway();
  EXPECT_EQ(f.record(0, 8, 11), (Bytes{1, 0, 0, 0}));
  f.pick(1, 4, "254.1");
  EXPECT_EQ(f.record(0, 8, 11), (Bytes{0xED, 0x09, 0xED, 0x09}));
  // Backspace does nothing in a tone cell; leaving it untouched changes nothing.
  f.d.clickCell(f.grid(), 1, 4);
  f.d.type("67");
  f.d.backspace();
  EXPECT_EQ(w.Combo_edit.text(), "67");
  f.d.clickCell(f.grid(), 2, 4);
  f.clickAway();
  EXPECT_EQ(f.record(1, 8, 11), (Bytes{255, 255, 255, 255}));
}

// --- choices ---------------------------------------------------------------

TEST(ChannCommit, ChoicesWriteTheirBitsAndKeepTheOthers) {
  struct Case {
    int col;
    const char* item;
    int byte, before, after;
    const char* shown;
  };
  const Case cases[] = {{6, "LOW", 14, 0x38, 0x3A, "LOW"},   {6, "MID", 14, 0x03, 0x01, "MID"},
                        {7, "N", 15, 0x44, 0x04, "N"},       {7, "W", 15, 0x84, 0xC4, "W"},
                        {8, "BOTH", 15, 0x44, 0x47, "BOTH"}, {9, "ON", 15, 0x44, 0x4C, "ON"},
                        {9, "OFF", 15, 0x4C, 0x44, "OFF"},   {10, "OFF", 15, 0x44, 0x40, "OFF"},
                        {10, "ON", 15, 0x40, 0x44, "ON"},    {11, "15", 12, 0xA0, 0xAE, "15"},
                        {11, "1", 12, 0x0F, 0x00, "1"},      {12, "3", 14, 0x02, 0x32, " 3"},
                        {12, "OFF", 14, 0x81, 0x01, "OFF"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " in column " + std::to_string(c.col));
    ChannFixture f;
    f.setRecord(0, {c.before}, c.byte);
    f.open();
    f.pick(1, c.col, c.item);
    EXPECT_EQ(f.record(0, c.byte, c.byte), Bytes{c.after});
    f.clickAway();
    EXPECT_EQ(f.cell(1, c.col), c.shown);
  }
}

TEST(ChannCommit, AfterAPickTheRowShowsWhatTheRecordHolds) {
  ChannFixture f;
  f.open();
  // The same cell clicked again after the pick, then left.
  f.pick(1, 12, "4");
  f.d.clickCell(f.grid(), 1, 12);
  f.clickAway();
  EXPECT_EQ(f.record(0, 14, 14), Bytes{0x40});
  EXPECT_EQ(f.cell(1, 12), " 4");
  // A click on the header after an encode-tone pick opens the list over the cell again, empty.
  f.pick(1, 5, "67.0");
  f.d.clickCell(f.grid(), 0, 5);
  f.clickAway();
  EXPECT_EQ(f.record(0, 10, 11), (Bytes{0x9E, 0x02}));
  EXPECT_EQ(f.cell(1, 5), "67.0");
}

TEST(ChannCommit, TypingIntoAChoiceIsUndone) {
  ChannFixture f;
  frm_chann& w = f.open();
  f.d.clickCell(f.grid(), 1, 6);
  f.d.type("LOW");
  EXPECT_EQ(w.Combo_edit.text(), "HIGH");
  f.clickAway();
  EXPECT_EQ(f.record(0, 14, 14), Bytes{0});
  EXPECT_EQ(f.cell(1, 6), "HIGH");
}

TEST(ChannCommit, PickingTheBandOfAnEmptyRowOpensItsSettings) {
  ChannFixture f;
  f.setRecord(19, {0xFF, 1, 2, 3});
  f.open();
  f.pick(20, 1, "VHF/UHF");
  f.clickAway();
  EXPECT_EQ(f.cell(20, 1), "VHF/UHF");
  EXPECT_EQ(f.record(19), Bytes(16, 255));
  // The same band on a programmed channel changes nothing.
  f.pick(1, 1, "VHF/UHF");
  f.clickAway();
  EXPECT_EQ(f.cells(1, 2, 3), (Cells{"245.62500", "245.62500"}));
  EXPECT_EQ(f.record(0, 0, 3), (Bytes{0x00, 0x25, 0x56, 0x24}));
}

// --- names -----------------------------------------------------------------

TEST(ChannCommit, NamesAreCutUpperCasedAndPackedAsDigitsAndCapitals) {
  struct Case {
    const char* typed;
    const char* shown;
    Bytes bytes;
    bool tooLong;
  };
  const Case cases[] = {
      {"ab-12", "AB-12", {65, 66, 255, 49, 50, 255}, false},
      {"abcdefgh", "ABCDEF", {65, 66, 67, 68, 69, 70}, true},
      {"  x y  ", "X Y", {88, 255, 89, 255, 255, 255}, false},
      {"中文ab", "中文AB", {255, 255, 65, 66, 255, 255}, false},
      {"é1", "é1", {255, 49, 255, 255, 255, 255}, false},
      {"", "", {255, 255, 255, 255, 255, 255}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ChannFixture f;
    f.setName(0, {0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A});
    f.open();
    f.typeInto(1, 13, c.typed);
    f.clickAway();
    EXPECT_EQ(f.cell(1, 13), c.shown);
    EXPECT_EQ(f.nameRow(0), c.bytes);
    EXPECT_EQ(f.box_texts(), c.tooLong ? Cells{kNameLength} : Cells{});
  }
}

TEST(ChannCommit, AnEmptyChannelGetsNoName) {
  ChannFixture f;
  f.open();
  f.typeInto(20, 13, "abc");
  f.clickAway();
  EXPECT_EQ(f.cell(20, 13), "");
  EXPECT_EQ(f.nameRow(19), Bytes(6, 255));
}

}  // namespace
}  // namespace j5::chann_test
