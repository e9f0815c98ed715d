// The copies' text checks and the text rules under them.
#include "copy_fixture.h"
#include "editors/option_copies/copy_text.h"

namespace j5::copy_test {
namespace {

using CopyTexts = Copy_Fixture;

TEST(CopyText, AcceptedFrequencyKeepsFiveDecimalsAndCarriesIntoTheMHz) {
  const std::vector<std::pair<double, std::string>> cases = {
      {150, "150.00000"},      {136.025, "136.02500"},   {136.00625, "136.00625"},
      {145.1234, "145.12325"}, {136.01875, "136.01900"}, {174.9, "174.90000"},
      {136.9996, "137.00000"}, {179, "179.00000"}};
  for (const auto& [f, text] : cases) EXPECT_EQ(copy::Freq_Accepted_Text(f), text) << f;
}

TEST(CopyText, RecordBytesAndTheirTexts) {
  EXPECT_EQ(copy::Freq_Pack_Digits("99.12500"), (std::array<int, 8>{0, 9, 9, 1, 2, 5, 0, 0}));
  EXPECT_EQ(copy::Offset_Index({0, 0, 0, 6, 2, 5}), 12);
  EXPECT_EQ(copy::Offset_Index({0, 0, 0, 0, 2, 5}), 0);
  EXPECT_EQ(copy::Offset_Index({0, 0, 0, 0, 7, 5}), 2);
  EXPECT_EQ(copy::Offset_Index({255, 255, 255, 255, 255, 255}), 1999);
  // Limits pack from the whole number, so a short or decimal text keeps its magnitude.
  EXPECT_EQ(copy::Limit_Pack("136"), (std::array<int, 2>{1, 0x36}));
  EXPECT_EQ(copy::Limit_Pack("99"), (std::array<int, 2>{0, 0x99}));
  EXPECT_EQ(copy::Limit_Pack("173.5"), (std::array<int, 2>{1, 0x73}));
  EXPECT_EQ(copy::Limit_Text(4, 0x70), "470");
}

TEST_F(CopyTexts, ChannelCountIsCheckedAtEveryChange) {
  set_language(true);
  frm_Adj_Tune& w = tune();
  for (const std::string bad : {"0", "", "129"}) {
    d.clearMessageBoxes();
    d.focus(w.Text_chann_total);
    d.selectAll();
    if (bad.empty())
      d.del();
    else
      d.type(bad);
    EXPECT_EQ(box_texts(), std::vector<std::string>{"信道数在 1 - 128 之间选择"}) << bad;
    EXPECT_EQ(w.Text_chann_total.text(), "128");
  }
  const std::vector<std::pair<std::string, int>> good = {
      {"64", 64}, {"12.5", 12}, {"13.5", 14}, {"7ab", 7}};
  for (const auto& [text, count] : good) {
    w.Text_chann_total.setText(text);
    d.focus(w.Text_chann_total);
    d.focus(w.Text_menu_pwd);
    EXPECT_EQ(data.Chann_Total, count) << text;
    EXPECT_EQ(w.Text_chann_total.text(), text);
  }
}

TEST_F(CopyTexts, FrequencyBoxesSnapOrRefuse) {
  frm_Adj_Tune& w = tune();
  struct Case {
    std::string typed, shown;
    bool message;
  };
  const Case cases[] = {{"129.9", "130.02500", true},
                        {"179", "179.00000", false},
                        {"136.00625", "136.00625", false},
                        {"136.9996", "137.00000", false},
                        {"180", "178.62500", true}};
  for (const Case& c : cases) {
    d.clearMessageBoxes();
    enter_text(w.Text_Freq_b, c.typed, w.Text_menu_pwd);
    EXPECT_EQ(w.Text_Freq_b.text(), c.shown) << c.typed;
    EXPECT_EQ(d.messageBoxes().size(), c.message ? 1u : 0u) << c.typed;
  }
  EXPECT_EQ(d.lastMessageBox().text, "Over the range of Work frequency .");
  EXPECT_EQ(d.lastMessageBox().title, "Operate prompt");
  enter_text(w.Text_Freq_a, "100", w.Text_menu_pwd);
  EXPECT_EQ(d.lastMessageBox().text, "当前工作频率超出范围 ！");
  EXPECT_EQ(d.lastMessageBox().title, "操作提示");
  EXPECT_EQ(d.focused(), &w.Text_Freq_a);
}

// A VHF band reported high-first is the band between its limits: the boxes start, check and
// reset as they do for the same band given low-first.
TEST_F(CopyTexts, AVhfBandReportedHighFirstIsTheBandBetweenItsLimits) {
  data.VHF_Low = 179, data.VHF_High = 130;
  frm_Adj_Tune& w = tune();
  EXPECT_EQ(w.Text_Freq_a.text(), "130.02500");
  EXPECT_EQ(w.Text_Freq_b.text(), "178.62500");
  EXPECT_EQ(w.Text_pvfo_t1.text(), "178");
  enter_text(w.Text_Freq_b, "150", w.Text_menu_pwd);
  EXPECT_EQ(w.Text_Freq_b.text(), "150.00000");
  EXPECT_TRUE(d.messageBoxes().empty());
  enter_text(w.Text_Freq_b, "180", w.Text_menu_pwd);
  EXPECT_EQ(w.Text_Freq_b.text(), "178.62500");
  enter_text(w.Text_pvfo_d0, "120", w.Text_chann_total);
  EXPECT_EQ(w.Text_pvfo_d0.text(), "130");
  EXPECT_EQ(w.Text_pvfo_d1.text(), "178");
  EXPECT_EQ(d.messageBoxes().size(), 2u);
}

TEST_F(CopyTexts, PasswordMustBeSixDigits) {
  frm_Adj_Tune& w = tune();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"   ", ""},
      {"12345", "Password length is 6 digit."},
      {"123456", ""},
      {"A23456", "  Available Password from 000000 to 999999 "},
      {"12345A", "  Available Password from 000000 to 999999 "},
      {"1234567", "Password length is 6 digit."},
      // Counted in characters: two characters are too few, whatever their bytes.
      {"密码", "Password length is 6 digit."},
      {"密码密码密码", "  Available Password from 000000 to 999999 "}};
  for (const auto& [typed, message] : cases) {
    d.clearMessageBoxes();
    enter_text(w.Text_menu_pwd, typed, w.Text_chann_total);
    EXPECT_EQ(box_texts(),
              message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message})
        << typed;
    EXPECT_EQ(w.Text_menu_pwd.text(), typed);
  }
}

// A number too large for a double is out of range like any other: each box gives its range
// message and its correction, and nothing reaches the program's last-resort box.
TEST_F(CopyTexts, AnOverflowIsOutOfRangeInEveryBox) {
  frm_Adj_Tune& w = tune();
  struct Case {
    kit::TextBox* box;
    std::string pasted, message;
    std::vector<std::pair<kit::TextBox*, std::string>> shown;
  };
  const Case cases[] = {
      {&w.Text_Freq_b,
       "1e999",
       "Over the range of Work frequency .",
       {{&w.Text_Freq_b, "178.62500"}}},
      {&w.Text_Freq_b,
       "-1E999",
       "Over the range of Work frequency .",
       {{&w.Text_Freq_b, "130.02500"}}},
      {&w.Text_Freq_a, "1e999", "当前工作频率超出范围 ！", {{&w.Text_Freq_a, "178.62500"}}},
      {&w.Text_chann_total,
       "1e999",
       "Channel select from 1 to 128 .",
       {{&w.Text_chann_total, "128"}}},
      {&w.Text_pvfo_d0,
       "1e999",
       "Receive frequency of lower limit can't more than receive frequency of upper limit.",
       {{&w.Text_pvfo_d0, "130"}, {&w.Text_pvfo_d1, "178"}}},
      {&w.Text_pvfo_d0,
       "-1e999",
       "Receive frequency of lower limit can't less than the lowest of work frequency. ",
       {{&w.Text_pvfo_d0, "130"}, {&w.Text_pvfo_d1, "178"}}},
      {&w.Text_pvfo_d1,
       "1e999",
       "Receive frequency of upper limit can't more than the highest of work frequency. ",
       {{&w.Text_pvfo_d0, "130"}, {&w.Text_pvfo_d1, "178"}}},
      {&w.Text_pvfo_t0,
       "1e999",
       "Transmit frequency of lower limit can't more than transmit frequency of upper limit.",
       {{&w.Text_pvfo_t0, "178"}}},
      {&w.Text_pvfo_t1,
       "1e999",
       "Transmit frequency of upper limit can't more than receive frequency of upper limit.",
       {{&w.Text_pvfo_t1, "178"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box->name() + " " + c.pasted);
    d.clearMessageBoxes();
    d.focus(*c.box);
    d.selectAll();
    d.paste(c.pasted);
    d.focus(w.Text_menu_pwd);
    EXPECT_EQ(box_texts(), std::vector<std::string>{c.message});
    EXPECT_FALSE(d.lastMessageBox().title.empty());
    for (const auto& [box, text] : c.shown) EXPECT_EQ(box->text(), text) << box->name();
  }
}

TEST_F(CopyTexts, RangeLimitsHoldTheirOrderAndBand) {
  set_language(true);
  frm_Adj_Tune& w = tune();
  enter_text(w.Text_pvfo_d0, "120", w.Text_chann_total);
  EXPECT_EQ(d.lastMessageBox().text, "下限接收频率不可小于本机最低工作频率");
  EXPECT_EQ(w.Text_pvfo_d0.text(), "130");
  EXPECT_EQ(w.Text_pvfo_d1.text(), "178");
  d.clearMessageBoxes();
  enter_text(w.Text_pvfo_d1, "179", w.Text_chann_total);
  EXPECT_EQ(d.lastMessageBox().text, "上限接收频率不可大于本机最高工作频率");

  d.clearMessageBoxes();
  d.focus(w.Text_chann_total);
  w.Text_pvfo_d1.setText("150");
  w.Text_pvfo_t0.setText("130");
  w.Text_pvfo_t1.setText("160");
  enter_text(w.Text_pvfo_d0, "140", w.Text_chann_total);
  EXPECT_EQ(w.Text_pvfo_t0.text(), "140");
  EXPECT_EQ(w.Text_pvfo_t1.text(), "160");
  d.focus(w.Text_pvfo_d1);
  d.focus(w.Text_chann_total);
  EXPECT_EQ(w.Text_pvfo_t1.text(), "150");
  EXPECT_TRUE(d.messageBoxes().empty());

  w.Text_pvfo_d0.setText("130");
  w.Text_pvfo_t0.setText("150");
  w.Text_pvfo_t1.setText("160");
  enter_text(w.Text_pvfo_d1, "140", w.Text_chann_total);
  EXPECT_EQ(w.Text_pvfo_t1.text(), "150");

  w.Text_pvfo_t0.setText("150");
  w.Text_pvfo_d0.setText("140");
  enter_text(w.Text_pvfo_t0, "135", w.Text_chann_total);
  EXPECT_EQ(d.lastMessageBox().text, "下限发射频率不可小于下限接收频率");
  EXPECT_EQ(w.Text_pvfo_t0.text(), "135");
  EXPECT_EQ(d.focused(), &w.Text_pvfo_t0);
}

}  // namespace
}  // namespace j5::copy_test
