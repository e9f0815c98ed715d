// The channel window: captions and grid layout, the display of records, the
// rebuild on activation, and the Default, Clear and Close buttons.
#include <gtest/gtest.h>

#include "chann_fixture.h"
#include "shell/file_dialogs.h"

namespace j5::chann_test {
namespace {

using Cells = std::vector<std::string>;

const Cells kEmptyRow(13, "");

TEST(ChannWindow, LoadsWithCaptionsHeaderNumbersAndTheFactoryChannels) {
  for (bool chinese : {false, true}) {
    ChannFixture f(128, chinese);
    frm_chann& w = f.open();
    EXPECT_EQ(f.data.Win_Chann, kTrue);
    EXPECT_EQ(w.caption(), chinese ? "信道参数编辑" : "Channel Information");
    EXPECT_EQ(w.Command_def.caption(), chinese ? "出厂值" : "Default");
    EXPECT_EQ(w.Command_Clear.caption(), chinese ? "清 除" : "Clear");
    EXPECT_EQ(w.Command_close.caption(), chinese ? "关 闭" : "Close");
    EXPECT_FALSE(w.Command_read.visible());
    EXPECT_FALSE(w.Command_Write.visible());
    EXPECT_FALSE(w.Text_Edit.visible());
    EXPECT_FALSE(w.Combo_edit.visible());
    EXPECT_FALSE(w.ProgressBar1.visible());
    ASSERT_EQ(f.grid().cols(), 14);
    EXPECT_EQ(f.grid().fixedCols(), 0);
    EXPECT_EQ(f.cell(0, 1), chinese ? " 工作频段 " : "  Band  ");
    EXPECT_EQ(f.cell(0, 13), chinese ? "信 道 名 称" : "CH-Name");
    EXPECT_EQ(f.grid().colAlignment(5), kit::Align::Center);
    ASSERT_EQ(f.grid().rows(), 129);
    EXPECT_EQ(f.cell(1, 0), "0");
    EXPECT_EQ(f.cell(128, 0), "127");
    // The rebuild leaves the current cell at the number of the last row.
    EXPECT_EQ(f.grid().row(), 128);
    EXPECT_EQ(f.grid().col(), 0);
    EXPECT_EQ(f.cells(1), (Cells{"VHF/UHF ", "245.62500", "245.62500", "OFF", "OFF", "HIGH", "W",
                                 "OFF", "OFF", "ON", "1", "OFF", ""}));
    EXPECT_EQ(f.cells(6, 2, 6), (Cells{"436.50000", "436.50000", "250.3", "250.3", "MID"}));
    EXPECT_EQ(f.cells(7, 4, 5), (Cells{" D754I   ", "D754I"}));
    EXPECT_EQ(f.cells(8), kEmptyRow);
  }
}

TEST(ChannWindow, SitsCentredInTheMainWindowWithTheButtonsBelowTheGrid) {
  ChannFixture f;
  frm_chann& w = f.open();
  kit::MdiForm& main = *f.program.Main_Form();
  EXPECT_DOUBLE_EQ(w.width(), main.width() / 1.24);
  EXPECT_DOUBLE_EQ(w.height(), main.height() / 1.26);
  EXPECT_DOUBLE_EQ(w.left(), (main.scaleWidth() - w.width()) / 2);
  EXPECT_DOUBLE_EQ(w.top(), (main.scaleHeight() - w.height()) / 2);
  EXPECT_DOUBLE_EQ(w.MSF_Chann.width(), w.scaleWidth() / 1.02);
  EXPECT_EQ(w.Command_Clear.left() - w.Command_def.left(), 1440);
  EXPECT_EQ(w.Command_close.left() - w.Command_Clear.left(), 1440);
  EXPECT_EQ(w.Command_def.width(), 855);
  EXPECT_GE(w.Command_def.top(), w.MSF_Chann.top() + w.MSF_Chann.height());
}

TEST(ChannWindow, OneChannelShowsTheHeaderAndOneRow) {
  ChannFixture f(1);
  f.open();
  ASSERT_EQ(f.grid().rows(), 2);
  EXPECT_EQ(f.cell(1, 0), "0");
  EXPECT_EQ(f.cell(1, 2), "245.62500");
}

struct DisplayCase {
  const char* what;
  std::vector<int> bytes;  // record bytes 8..15
  Cells cells;             // cells 4..12
};

TEST(ChannWindow, ShowsEachFieldOfTheRecord) {
  const DisplayCase cases[] = {
      {"ctcss",
       {0x9E, 0x02, 0x75, 0x03, 0, 0, 0, 0x44},
       {"67.0", "88.5", "HIGH", "W", "OFF", "OFF", "ON", "1", "OFF"}},
      {"100.0 and off",
       {0xE8, 0x03, 0, 0, 0, 0, 0, 0x44},
       {"100.0", "OFF", "HIGH", "W", "OFF", "OFF", "ON", "1", "OFF"}},
      {"dcs padded in dec, trimmed in enc",
       {1, 0, 1, 0, 0, 0, 0, 0x44},
       {"  D023N   ", "D023N", "HIGH", "W", "OFF", "OFF", "ON", "1", "OFF"}},
      {"dcs code without a name",
       {0xD3, 0, 0xFF, 0xFF, 0, 0, 0, 0x44},
       {"", "OFF", "HIGH", "W", "OFF", "OFF", "ON", "1", "OFF"}},
      {"power bit 2, signalling 15 empty",
       {0, 0, 0, 0, 0x0F, 0, 0x05, 0x0B},
       {"OFF", "OFF", "HIGH", "N", "BOTH", "ON", "OFF", "", "OFF"}},
      {"mid, signalling 15, scrambler 3",
       {0, 0, 0, 0, 0x3E, 0, 0x31, 0x01},
       {"OFF", "OFF", "MID", "N", "BOT", "OFF", "OFF", "15", " 3"}},
      {"low, eot",
       {0, 0, 0, 0, 0, 0, 0x02, 0x42},
       {"OFF", "OFF", "LOW", "W", "EOT", "OFF", "OFF", "1", "OFF"}},
      {"high byte beyond the editors' range",
       {0x00, 0xFF, 0, 0, 0, 0, 0, 0x44},
       {"6528.0", "OFF", "HIGH", "W", "OFF", "OFF", "ON", "1", "OFF"}},
  };
  ChannFixture f;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const int ch = 10 + static_cast<int>(i);
    f.setRecord(ch, {0, 0, 0x50, 0x14, 0, 0, 0x50, 0x14});
    f.setRecord(ch, cases[i].bytes, 8);
  }
  f.open();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].what);
    EXPECT_EQ(f.cells(11 + static_cast<int>(i), 4, 12), cases[i].cells);
  }
}

TEST(ChannWindow, NoTransmitFrequencyEmptiesOnlyItsOwnTxAndEncCells) {
  ChannFixture f;
  f.setRecord(3, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0x9E, 0x02}, 4);
  f.open();
  EXPECT_EQ(f.cells(4, 2, 5), (Cells{"400.02500", "", "OFF", ""}));
  EXPECT_EQ(f.cells(5, 3, 5), (Cells{"479.95000", "OFF", "OFF"}));
}

TEST(ChannWindow, ShowsOnlyDigitsAndCapitalsOfANameAndNothingAfterAnEmptyFirstByte) {
  ChannFixture f;
  f.setName(0, {0x41, 0x42, 0xFF, 0x43, 0xFF, 0xFF});
  f.setName(1, {0x61, 0x31, 0x2D, 0x5A, 0x20, 0x39});
  f.setName(2, {0xFF, 0x41, 0x42, 0x43, 0x44, 0x45});
  f.open();
  EXPECT_EQ(f.cell(1, 13), "ABC");
  EXPECT_EQ(f.cell(2, 13), "1Z9");
  EXPECT_EQ(f.cell(3, 13), "");
}

TEST(ChannWindow, ShowingAnEmptyChannelEmptiesItsRecordAndNameRowButNotThoseBeyondTheCount) {
  ChannFixture f(20);
  f.setRecord(10, {0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
  f.setName(10, {0x41, 0x42, 0x43, 0x44, 0x45, 0x46});
  f.setName(19, {0x41});
  f.setName(20, {0x41});
  f.setRecord(30, {0xFF, 1, 2});
  const auto before = f.data.Mem_Image;
  f.open();
  EXPECT_EQ(f.record(10), std::vector<int>(16, 255));
  EXPECT_EQ(f.record(266, 0, 15), std::vector<int>(16, 255));
  EXPECT_EQ(f.cells(11), kEmptyRow);
  EXPECT_EQ(f.nameRow(19, 0, 0), std::vector<int>{255});
  EXPECT_EQ(f.nameRow(20, 0, 0), std::vector<int>{0x41});
  EXPECT_EQ(f.record(30, 0, 2), (std::vector<int>{255, 1, 2}));
  // Nothing outside the records and name rows of the shown channels changes.
  for (int row = 0; row <= 480; ++row) {
    const bool shown = row < 20 || (row >= 256 && row < 276);
    if (shown) continue;
    for (int k = 0; k < 16; ++k) ASSERT_EQ(f.data.Mem_Image(row, k), before(row, k)) << row;
  }
}

TEST(ChannWindow, ActivationRebuildsFromAChangedImageAndChannelCount) {
  ChannFixture f;
  f.open();
  f.leaveAndReturn([&] {
    // A whole read replaced channel 4 and left a name on an empty channel.
    f.setRecord(4, {0x00, 0x00, 0x85, 0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0x40});
    f.setName(12, {0x41, 0x42});
    f.data.Chann_Total = 20;
  });
  ASSERT_EQ(f.grid().rows(), 21);
  EXPECT_EQ(f.cell(20, 0), "19");
  EXPECT_EQ(f.cells(5, 1, 5), (Cells{"VHF/UHF ", "88.50000", "", "OFF", ""}));
  EXPECT_EQ(f.nameRow(12), std::vector<int>(6, 255));
}

TEST(ChannWindow, DefaultRestoresTheFactoryChannelsWithoutAQuestion) {
  ChannFixture f(20);
  f.open();
  f.typeInto(4, 2, "150");
  f.typeInto(4, 13, "three");
  f.typeInto(8, 2, "155.5");
  f.typeInto(8, 13, "seven");
  f.clickAway();
  f.setName(30, {0x41});  // a channel beyond the count keeps its name row
  f.d.clearMessageBoxes();
  f.d.click(f.w->Command_def);
  EXPECT_TRUE(f.d.messageBoxes().empty());
  EXPECT_EQ(f.cells(4, 2, 3), (Cells{"400.02500", "400.02500"}));
  // The default channels keep the names their name rows held; an empty
  // channel that is shown loses its name.
  EXPECT_EQ(f.cell(4, 13), "THREE");
  EXPECT_EQ(f.cells(8), kEmptyRow);
  EXPECT_EQ(f.nameRow(7), std::vector<int>(6, 255));
  EXPECT_EQ(f.nameRow(30, 0, 0), std::vector<int>{0x41});
  EXPECT_EQ(f.record(30, 0, 0), std::vector<int>{255});
}

TEST(ChannWindow, ClearEmptiesTheShownChannelsOnlyWithoutAQuestion) {
  ChannFixture f(5);
  f.setName(2, {0x41});
  f.setName(6, {0x42});
  f.open();
  f.d.click(f.w->Command_Clear);
  EXPECT_TRUE(f.d.messageBoxes().empty());
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(f.cell(r, 0), std::to_string(r - 1));
    EXPECT_EQ(f.cells(r), kEmptyRow) << r;
    EXPECT_EQ(f.record(r - 1), std::vector<int>(16, 255)) << r;
    EXPECT_EQ(f.record(255 + r), std::vector<int>(16, 255)) << r;
  }
  EXPECT_EQ(f.record(5, 0, 3), (std::vector<int>{0x00, 0x00, 0x65, 0x43}));
  EXPECT_EQ(f.nameRow(6, 0, 0), std::vector<int>{0x42});
}

TEST(ChannWindow, CloseUnloadsTheWindowAndTheChannelFileDialogs) {
  ChannFixture f;
  f.open();
  f.program.Form_open_chann.load();
  f.program.Form_save_chann.load();
  f.d.click(f.w->Command_close);
  EXPECT_FALSE(f.program.frm_chann.loaded());
  EXPECT_FALSE(f.program.Form_open_chann.loaded());
  EXPECT_FALSE(f.program.Form_save_chann.loaded());
  EXPECT_EQ(f.data.Win_Chann, kFalse);
  // Loading again builds a fresh window.
  f.open();
  EXPECT_EQ(f.data.Win_Chann, kTrue);
  EXPECT_TRUE(f.d.close(*f.w));
  EXPECT_EQ(f.data.Win_Chann, kFalse);
}

}  // namespace
}  // namespace j5::chann_test
