// Showing the table on each page, and entry through the value boxes, the lists and the
// band-limit boxes.
#include <gtest/gtest.h>

#include <functional>

#include "adj_fixture.h"

namespace j5::adj_test {
namespace {

using Texts = std::vector<std::string>;
using Boxes = kit::ControlArray<kit::TextBox> frm_Adj_Txp::*;

Texts Box_Texts(kit::ControlArray<kit::TextBox>& boxes) {
  Texts out;
  for (int k : boxes.indices()) out.push_back(boxes[k].text());
  return out;
}

TEST(AdjDisplay, EachPageShowsTheDefaults) {
  AdjFixture f;
  frm_Adj_Txp& w = f.open();
  EXPECT_EQ(Box_Texts(w.Text1), Texts(16, "13"));
  EXPECT_EQ(Box_Texts(w.Text2), Texts(16, "14"));
  EXPECT_EQ(Box_Texts(w.Text_UHF1), Texts(16, "15"));
  f.page(1);
  EXPECT_EQ(Box_Texts(w.Text1), Texts(16, "3"));
  EXPECT_EQ(Box_Texts(w.Text_UHF1), Texts(16, "5"));
  f.page(2);
  EXPECT_EQ(Box_Texts(w.Text_SQ_VHF),
            (Texts{"0", "24", "24", "24", "24", "25", "26", "27", "28", "29"}));
  EXPECT_EQ(w.Text_Sq_Offset_UHF1[4].text(), "4");
  f.page(3);
  EXPECT_EQ(w.Combo_Mod[0].text(), "52");
  EXPECT_EQ(w.Combo_Txp[6].text(), "10");
  EXPECT_EQ(w.Combo_Txp[15].listIndex(), 0);
  f.page(4);
  EXPECT_EQ(w.Combo_vox[0].listIndex(), 127);
  EXPECT_EQ(w.Combo_batt_comp[5].listIndex(), 160);
  const Texts limits = {w.Text_Freq_L[0].text(), w.Text_Freq_H[0].text(), w.Text_Freq_L[1].text(),
                        w.Text_Freq_H[1].text(), w.Text_Freq_L[2].text(), w.Text_Freq_H[2].text()};
  EXPECT_EQ(limits, (Texts{"130", "179", "240", "270", "400", "520"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(w.Check_Tx[i].value(), 1);
  EXPECT_TRUE(f.box_texts().empty());
}

TEST(AdjDisplay, LimitsTransmitFlagsAndVersionFollowTheirBytes) {
  AdjFixture f;
  f.data.Adj_Value(15, 6) = 0x21;  // only the low nibble of the hundreds byte counts
  f.data.Adj_Value(15, 7) = 0x34;
  f.data.Adj_Value(15, 5) = 0;
  f.data.Adj_Value(15, 10) = 200;
  frm_Adj_Txp& w = f.open();
  struct Case {
    const char* bytes;
    const char* shown;
  };
  for (const Case& c : {Case{"V1 2345", "V12345"}, Case{"123456 ", "123456 "}}) {
    for (int i = 0; i < 7; ++i) f.data.Adj_Value(19, i) = c.bytes[i];
    f.page(4);
    EXPECT_EQ(w.Text_Version.text(), c.shown);
  }
  EXPECT_EQ(w.Text_Freq_L[1].text(), "134");
  EXPECT_EQ(w.Check_Tx[1].value(), 0);
  EXPECT_EQ(w.Check_Tx[2].value(), 1);
}

// Values a list cannot show (an erased radio, a hand-made file) show as plain numbers with no
// item picked; the cells keep them and nothing is reported.
TEST(AdjDisplay, ValuesOutsideAListShowNoSelectionAndStayInTheTable) {
  AdjFixture f;
  f.data.Adj_Value(14, 0) = 255;
  f.data.Adj_Value(14, 10) = -3;
  f.data.Adj_Value(14, 15) = 300;
  f.data.Adj_Value(13, 15) = 2;
  f.data.Adj_Value(12, 0) = 99;
  f.data.Adj_Value(15, 3) = 300;
  frm_Adj_Txp& w = f.open();
  f.page(4);
  f.page(3);
  EXPECT_EQ(w.Combo_Txp[15].listIndex(), -1);
  EXPECT_EQ(w.Combo_Txp[15].text(), "2");
  EXPECT_EQ(w.Combo_Mod[0].text(), "99");
  f.page(4);
  EXPECT_EQ(w.Combo_vox[0].listIndex(), -1);
  EXPECT_EQ(w.Combo_vox[0].text(), "255");
  EXPECT_EQ(w.Combo_batt_comp[0].text(), "-3");
  EXPECT_EQ(w.Combo_batt_comp[5].listIndex(), -1);
  EXPECT_EQ(w.Text_Freq_H[0].text(), "");
  EXPECT_EQ(f.row(14, 0, 0), std::vector<int>{255});
  EXPECT_EQ(f.row(14, 10, 15), (std::vector<int>{-3, 115, 118, 125, 135, 300}));
  EXPECT_EQ(f.data.Adj_Value(13, 15), 2);
  EXPECT_EQ(f.data.Adj_Value(15, 3), 300);
  EXPECT_TRUE(f.box_texts().empty());
}

struct BoxEntry {
  int page;
  Boxes boxes;
  int index;
  const char* text;
  int row;
  int stored;
  int max;  // the range message expected, 0 for none
  const char* shown;
};

TEST(AdjEntry, ValueBoxesStoreDigitsAndRefuseTheRestWithTheDefault) {
  const BoxEntry cases[] = {
      {2, &frm_Adj_Txp::Text_Sq_Offset_VHF, 0, "x", 7, 3, 20, "3"},
      {2, &frm_Adj_Txp::Text_Sq_Offset_UHF, 2, "21", 9, 4, 20, "4"},
      {2, &frm_Adj_Txp::Text_Sq_Offset_UHF1, 0, "20", 11, 20, 0, "20"},
      {2, &frm_Adj_Txp::Text_SQ_UHF, 3, "256", 8, 18, 255, "18"},
      {2, &frm_Adj_Txp::Text_SQ_UHF1, 3, "255", 10, 255, 0, "255"},
      {0, &frm_Adj_Txp::Text_UHF1, 0, "63", 2, 63, 0, "63"},
      {0, &frm_Adj_Txp::Text_UHF1, 0, "64", 2, 15, 63, "15"},
      {0, &frm_Adj_Txp::Text1, 5, "16", 0, 13, 15, "13"},
      {2, &frm_Adj_Txp::Text_SQ_VHF, 4, "", 6, 0, 0, ""},
      {2, &frm_Adj_Txp::Text_SQ_VHF, 4, " 12 ", 6, 12, 0, " 12 "},
      {2, &frm_Adj_Txp::Text_SQ_VHF, 4, "1 2", 6, 24, 255, "24"},
      {2, &frm_Adj_Txp::Text_SQ_VHF, 4, "-1", 6, 24, 255, "24"},
      {2, &frm_Adj_Txp::Text_SQ_VHF, 4, "1.5", 6, 24, 255, "24"},
      {2, &frm_Adj_Txp::Text_SQ_VHF, 4, "+3", 6, 24, 255, "24"},
      {2, &frm_Adj_Txp::Text_SQ_VHF, 4, "007", 6, 7, 0, "007"},
      {2, &frm_Adj_Txp::Text_SQ_VHF, 4, "99999999999999999999", 6, 24, 255, "24"},
      {1, &frm_Adj_Txp::Text2, 4, "9", 4, 9, 0, "9"},
      {0, &frm_Adj_Txp::Text2, 4, "9", 1, 9, 0, "9"},
  };
  for (bool chinese : {true, false}) {
    for (const BoxEntry& c : cases) {
      SCOPED_TRACE(std::string(c.text) + " page " + std::to_string(c.page));
      AdjFixture f(chinese);
      frm_Adj_Txp& w = f.open();
      f.page(c.page);
      const auto before = f.data.Adj_Value;
      kit::TextBox& box = (w.*c.boxes)[c.index];
      f.d.focus(box);
      f.d.selectAll();
      f.d.paste(c.text);
      EXPECT_EQ(f.data.Adj_Value(c.row, c.index), c.stored);
      EXPECT_EQ(box.text(), c.shown);
      EXPECT_EQ(f.d.focused(), &box);
      auto after = f.data.Adj_Value;
      after(c.row, c.index) = before(c.row, c.index);
      EXPECT_TRUE(after == before) << "another cell changed";
      if (c.max == 0) {
        EXPECT_TRUE(f.box_texts().empty());
      } else {
        EXPECT_EQ(f.box_texts(), Texts{" 输入数字范围为 0 - " + std::to_string(c.max) + " ！"});
        EXPECT_EQ(f.d.lastMessageBox().title, "操作提示");
        EXPECT_EQ(f.d.lastMessageBox().icon, kit::MsgIcon::Information);
      }
    }
  }
}

// Each typed digit is checked and stored at once.
TEST(AdjEntry, TypingIsCheckedKeyByKey) {
  AdjFixture f;
  frm_Adj_Txp& w = f.open();
  f.page(2);
  f.d.focus(w.Text_Sq_Offset_VHF[5]);
  f.d.selectAll();
  f.d.type("2");
  EXPECT_EQ(f.data.Adj_Value(7, 5), 2);
  f.d.type("5");
  EXPECT_EQ(f.box_texts(), Texts{" 输入数字范围为 0 - 20 ！"});
  EXPECT_EQ(f.data.Adj_Value(7, 5), 4);
}

// A table value outside a box's range is refused when the page shows it, also in the squelch
// boxes that the later pages refresh while they are hidden.
TEST(AdjEntry, ShowingAValueOutOfRangePutsTheDefaultIn) {
  AdjFixture f;
  f.data.Adj_Value(2, 1) = 64;
  frm_Adj_Txp& w = f.open();
  EXPECT_EQ(f.box_texts(), Texts{" 输入数字范围为 0 - 63 ！"});
  EXPECT_EQ(f.data.Adj_Value(2, 1), 15);
  EXPECT_EQ(f.d.focused(), &w.Text_UHF1[1]);
  f.page(3);
  f.data.Adj_Value(9, 0) = 200;
  f.page(4);
  EXPECT_EQ(f.box_texts().back(), " 输入数字范围为 0 - 20 ！");
  EXPECT_EQ(f.data.Adj_Value(9, 0), 3);
  EXPECT_EQ(f.d.focused(), &w.TabStrip1);
}

TEST(AdjEntry, ListsStoreThePickedPositionAndIgnoreTypedKeys) {
  AdjFixture f;
  frm_Adj_Txp& w = f.open();
  f.page(3);
  f.d.pick(w.Combo_Mod[11], " 9");
  f.d.pick(w.Combo_Txp[15], "英文");
  f.d.pick(w.Combo_Txp[2], " 3");
  f.page(4);
  f.d.pick(w.Combo_vox[3], " 5");
  f.d.pick(w.Combo_batt_comp[0], " 7");
  f.d.pick(w.Combo_batt_comp[5], " 200");
  EXPECT_EQ(f.data.Adj_Value(12, 11), 9);
  EXPECT_EQ(f.data.Adj_Value(13, 15), 1);
  EXPECT_EQ(f.data.Adj_Value(13, 2), 3);
  EXPECT_EQ(f.data.Adj_Value(14, 3), 5);
  EXPECT_EQ(f.data.Adj_Value(14, 10), 7);
  EXPECT_EQ(f.data.Adj_Value(14, 15), 200);
  f.d.focus(w.Combo_vox[4]);
  f.d.type("9");
  EXPECT_EQ(w.Combo_vox[4].text(), " 52");
  EXPECT_EQ(f.data.Adj_Value(14, 4), 52);
}

// ---- band limits

struct LimitEntry {
  bool upper;
  int band;
  const char* text;
  std::function<void(frm_Adj_Txp&)> before;
  int message;  // 0 none, else 1..4: below min, lower above upper, above max, upper below lower
  const char* shown;
  std::vector<int> row15;  // bytes 0..15 afterwards
};

const std::vector<int> kDefaultRow15 = {1, 1,    0x30, 1, 0x79, 1, 2,    0x40,
                                        2, 0x70, 1,    4, 0,    5, 0x20, 0};

std::vector<int> With(std::vector<int> row, std::initializer_list<std::pair<int, int>> bytes) {
  for (auto [i, v] : bytes) row[static_cast<std::size_t>(i)] = v;
  return row;
}

TEST(AdjBandLimits, LeavingABoxChecksItThenPacksAllSix) {
  const Texts chn = {"下限频率不可小于该频段最低工作频率", "下限频率不可大于该频段上限频率",
                     "上限频率不可大于该频段最大工作频率", "上限频率不可小于该频段下限频率"};
  const std::vector<LimitEntry> cases = {
      {true, 1, "521", nullptr, 3, "520", kDefaultRow15},
      {true, 2, "520", nullptr, 0, "520", kDefaultRow15},
      {false, 0, "99", nullptr, 1, "100", kDefaultRow15},
      {true, 2, "399", [](frm_Adj_Txp& w) { w.Text_Freq_L[2].setText("400"); }, 4, "520",
       kDefaultRow15},
      {false, 0, "180", [](frm_Adj_Txp& w) { w.Text_Freq_H[0].setText("174"); }, 2, "100",
       kDefaultRow15},
      {false, 0, "150", [](frm_Adj_Txp& w) { w.Text_Freq_H[0].setText("150"); }, 0, "150",
       With(kDefaultRow15, {{2, 0x50}, {4, 0x50}})},
      {true, 0, "174", [](frm_Adj_Txp& w) { w.Text_Freq_L[0].setText("136"); }, 0, "174",
       With(kDefaultRow15, {{2, 0x36}, {4, 0x74}})},
      // A UHF0 box packs the other bands' boxes as they stand.
      {false, 1, "250",
       [](frm_Adj_Txp& w) {
         w.Text_Freq_L[0].setText("136");
         w.Text_Freq_H[2].setText("480");
       },
       0, "250", With(kDefaultRow15, {{2, 0x36}, {7, 0x50}, {13, 4}, {14, 0x80}})},
      {false, 0, "", nullptr, 1, "100", kDefaultRow15},
      {true, 0, "", nullptr, 4, "520", kDefaultRow15},
      // What is packed is the number the checks accepted, not the first three characters.
      {false, 0, "1 50", nullptr, 0, "1 50", With(kDefaultRow15, {{2, 0x50}})},
      {false, 0, "1e2", nullptr, 0, "1e2", With(kDefaultRow15, {{2, 0x00}})},
      {true, 2, "9e9", nullptr, 3, "520", kDefaultRow15},
      {true, 2, "1e999", nullptr, 3, "520", kDefaultRow15},
      {false, 2, "-1e999", nullptr, 1, "100", kDefaultRow15},
  };
  for (bool chinese : {true, false}) {
    for (const LimitEntry& c : cases) {
      SCOPED_TRACE(std::string(c.upper ? "upper " : "lower ") + std::to_string(c.band) + " " +
                   c.text);
      AdjFixture f(chinese);
      f.data.Adj_Value(15, 0) = 7;  // transmit enable and byte 15 are never packed
      f.data.Adj_Value(15, 15) = 9;
      frm_Adj_Txp& w = f.open();
      f.page(4);
      if (c.before) c.before(w);
      kit::TextBox& box = c.upper ? w.Text_Freq_H[c.band] : w.Text_Freq_L[c.band];
      f.d.focus(box);
      f.d.selectAll();
      f.d.paste(c.text);
      f.d.focus(w.Combo_vox[0]);
      EXPECT_EQ(box.text(), c.shown);
      EXPECT_EQ(f.d.focused() == &box, c.message != 0);
      std::vector<int> expected = c.row15;
      expected[0] = 7;
      expected[15] = 9;
      EXPECT_EQ(f.row(15), expected);
      if (c.message == 0) {
        EXPECT_TRUE(f.box_texts().empty());
      } else {
        ASSERT_EQ(f.box_texts().size(), 1u);
        if (chinese) {
          EXPECT_EQ(f.box_texts()[0], chn[static_cast<std::size_t>(c.message - 1)]);
        }
        EXPECT_EQ(f.d.lastMessageBox().title, chinese ? "操作提示" : "Operate Prompt");
      }
    }
  }
}

// A limit box only clicked into or tabbed through packs nothing: limit bytes the boxes show only
// in part (a high nibble in the hundreds byte) stay as they were read.
TEST(AdjBandLimits, ALimitBoxOnlyLookedAtKeepsTheLimitBytes) {
  AdjFixture f;
  f.data.Adj_Value(15, 1) = 0x31;  // 110: the high nibble is not shown
  f.data.Adj_Value(15, 2) = 0x10;
  f.data.Adj_Value(15, 8) = 0x54;  // 480
  frm_Adj_Txp& w = f.open();
  f.page(4);
  const std::vector<int> before = f.row(15);
  for (int k = 0; k < 3; ++k) {
    for (kit::TextBox* box : {&w.Text_Freq_L[k], &w.Text_Freq_H[k]}) {
      SCOPED_TRACE(box->name() + std::to_string(k));
      f.d.lookThrough(*box, w.Combo_vox[0]);
      EXPECT_EQ(f.row(15), before);
    }
  }
  EXPECT_TRUE(f.box_texts().empty());

  // A limit read beyond the band is still refused when only looked at, and the band's own limit
  // the refusal put in is packed when the box is left.
  AdjFixture g;
  g.data.Adj_Value(15, 1) = 0;
  g.data.Adj_Value(15, 2) = 0x50;
  frm_Adj_Txp& v = g.open();
  g.page(4);
  g.d.focus(v.Text_Freq_L[0]);
  g.d.tab();
  EXPECT_EQ(g.d.focused(), &v.Text_Freq_L[0]);
  EXPECT_EQ(v.Text_Freq_L[0].text(), "100");
  EXPECT_EQ(g.row(15, 1, 2), (std::vector<int>{0, 0x50}));
  g.d.tab();
  EXPECT_EQ(g.row(15, 1, 2), (std::vector<int>{1, 0}));
  EXPECT_EQ(g.box_texts().size(), 1u);
}

TEST(AdjBandLimits, EnglishMessages) {
  AdjFixture f(false);
  frm_Adj_Txp& w = f.open();
  f.page(4);
  f.d.focus(w.Text_Freq_H[1]);
  f.d.selectAll();
  f.d.paste("521");
  f.d.focus(w.Combo_vox[0]);  // refused: the focus stays
  f.d.focus(w.Text_Freq_L[0]);
  f.d.selectAll();
  f.d.paste("520");
  f.d.focus(w.Text_Freq_L[1]);
  EXPECT_EQ(
      f.box_texts(),
      (Texts{"Receive frequency of upper limit can't more than the highest of work frequency. ",
             "Receive frequency of lower limit can't more than receive frequency of upper "
             "limit."}));
}

// A fourth character is the last one typed: a box holding four takes no character key, Backspace
// included, whatever is selected; only Delete removes characters then.
TEST(AdjBandLimits, AFourthCharacterIsTheLastOneTyped) {
  AdjFixture f;
  frm_Adj_Txp& w = f.open();
  f.page(4);
  kit::TextBox& box = w.Text_Freq_L[0];
  f.d.focus(box);
  f.d.selectAll();
  f.d.type("12345");
  EXPECT_EQ(box.text(), "1234");
  f.d.backspace();
  EXPECT_EQ(box.text(), "1234");
  f.d.del();  // the caret is at the end: Delete removes nothing, yet is let through
  f.d.selectAll();
  f.d.del();
  EXPECT_EQ(box.text(), "");

  const struct {
    const char* before;
    int start, length;  // the selection
    const char* typed;
    const char* shown;
  } cases[] = {
      {"1234", 0, 4, "150", "1234"}, {"1234", 2, 2, "5", "1234"},
      {"1234", 0, 4, "\b", "1234"},  // Backspace over a selection
      {"130", 0, 3, "1450", "1450"}, {"130", 2, 1, "56", "1356"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " " + c.typed);
    box.setText(c.before);
    box.userSelect(c.start, c.length);
    f.d.type(c.typed);
    EXPECT_EQ(box.text(), c.shown);
  }
}

}  // namespace
}  // namespace j5::adj_test
