// The code boxes (typed, pasted and checked when left) and the encode groups.
#include <gtest/gtest.h>

#include <functional>

#include "dtmf_fixture.h"
#include "editors/dtmf/dtmf_prompts.h"
#include "link/Form_Comm_Write.h"
#include "shell/file_dialogs.h"

namespace j5::dtmf_test {
namespace {

const std::vector<int> kNoCode(5, 255);

TEST(DtmfFields, TheOwnIdTakesDigitsOnlyAndAFullBoxStartsAgainWithTheNextDigit) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  f.d.focus(w.Text_Ani);
  f.d.selectAll();
  f.d.del();
  f.d.type("12a* #345");
  EXPECT_EQ(w.Text_Ani.text(), "12345");
  EXPECT_EQ(f.bytes(202, 10, 14), (std::vector<int>{1, 2, 3, 4, 5}));
  // A refused key leaves a full box alone.
  f.d.type("x#");
  EXPECT_EQ(w.Text_Ani.text(), "12345");
  f.d.type("6");
  EXPECT_EQ(w.Text_Ani.text(), "6");
  EXPECT_EQ(f.bytes(202, 10, 14), (std::vector<int>{6, 255, 255, 255, 255}));
  f.d.backspace();
  EXPECT_EQ(w.Text_Ani.text(), "");
}

TEST(DtmfFields, TheOtherCodeBoxesDiscardADigitOnceFull) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  w.Text_XC.setText("1234");
  for (auto [key, passes] : {std::pair{'5', true}, {'x', false}, {'*', false}, {8, true}}) {
    int k = key;
    w.Text_XC.KeyPress(k);
    EXPECT_EQ(k != 0, passes) << key;
  }
  w.Text_XC.setText("12345");
  int k = '6';
  w.Text_XC.KeyPress(k);
  EXPECT_EQ(k, 0);
  EXPECT_EQ(w.Text_XC.text(), "12345");
}

// A digit typed over a selection of a full own ID or encode group replaces it: they count the text
// as it will stand, so they do not start again over the characters outside the selection. The
// other code boxes refuse a digit once full, whatever is selected, and stay as they are.
TEST(DtmfFields, KeysTypedOverASelection) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  const struct {
    kit::TextBox& box;
    int start, length;  // the selection in "12345"
    const char* typed;
    const char* shown;
  } cases[] = {
      {w.Text_XC, 0, 5, "678", "12345"},
      {w.Text_XC, 1, 2, "9", "12345"},
      {w.Text_XC, 5, 0, "6", "12345"},  // full, nothing selected: refused
      {w.Text_Ani, 1, 2, "9", "1945"},
      {w.Text_Ani, 5, 0, "6", "6"},  // full, nothing selected: starts again
      {w.Text_tx_Encode[0], 2, 1, "9", "12945"},
      {w.Text_tx_Encode[0], 0, 5, "#", "#"},
      {w.Text_tx_Encode[0], 5, 0, "6", "6"},  // full, nothing selected: starts again
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box.name() + " " + c.typed);
    c.box.setText("12345");
    c.box.userSelect(c.start, c.length);
    for (const char* k = c.typed; *k; ++k) c.box.userKey(*k);
    f.d.runUntilIdle();
    EXPECT_EQ(c.box.text(), c.shown);
  }
}

struct LeaveCase {
  const char* pasted;
  const char* message;  // "" for none
  const char* title;
  const char* textAfter;
  std::vector<int> field;
  bool focusStays;
};

TEST(DtmfFields, LeavingACodeBoxChecksItsCode) {
  const LeaveCase cases[] = {
      {"1234567", "Group Digits Max 5 Bits.", "Operate Prompt\"", "", kNoCode, true},
      {"12 3", "Groupdigits only by 0 to 9 and* # A B C D.", "Operate Prompt\"", "", kNoCode, true},
      {"ab1", "Groupdigits only by 0 to 9 and* # A B C D.", "Operate Prompt\"", "", kNoCode, true},
      // The focus stays silently no more: the user learns why, and the way out.
      {"", "The group can not be empty: enter 3 - 5 digits, or press Close to keep the old one.",
       "Operate Prompt", "", kNoCode, true},
      {"12",
       " The Group Digits range is 3 - 5 Bits.",
       "Operate Prompt",
       "12",
       {1, 2, 255, 255, 255},
       true},
      {"1*A#", "", "", "1*A#", {1, 11, 13, 12, 255}, false},
  };
  for (const LeaveCase& c : cases) {
    SCOPED_TRACE(c.pasted);
    DtmfFixture f;
    frm_dtmf& w = f.open();
    f.d.focus(w.Text_Ani);
    f.d.selectAll();
    f.d.del();
    f.d.paste(c.pasted);
    f.d.clearMessageBoxes();
    f.d.tab();
    if (*c.message) {
      ASSERT_EQ(f.d.messageBoxes().size(), 1u);
      EXPECT_EQ(f.d.lastMessageBox().text, c.message);
      EXPECT_EQ(f.d.lastMessageBox().title, c.title);
      EXPECT_EQ(f.d.lastMessageBox().icon, kit::MsgIcon::Exclamation);
    } else {
      EXPECT_TRUE(f.d.messageBoxes().empty());
    }
    EXPECT_EQ(w.Text_Ani.text(), c.textAfter);
    EXPECT_EQ(f.bytes(202, 10, 14), c.field);
    EXPECT_EQ(w.Text_Ani.hasFocus(), c.focusStays);
    EXPECT_EQ(f.bytes(202, 15, 15), (std::vector<int>{2}));
  }
}

TEST(DtmfFields, APastedLongCodeFillsOnlyItsOwnFive) {
  DtmfFixture f(true);
  frm_dtmf& w = f.open();
  f.d.focus(w.Text_Ani);
  f.d.selectAll();
  f.d.paste("9876543");
  EXPECT_EQ(f.bytes(202, 5, 15), (std::vector<int>{1, 0, 0, 0, 2, 9, 8, 7, 6, 5, 2}));
  f.d.tab();
  EXPECT_EQ(f.d.lastMessageBox().text, "码组位数最大为 5 位 ！");
  EXPECT_EQ(f.d.lastMessageBox().title, "操作提示");
}

// Going to another window while the box holds a code it would not let go: the record gets back
// the code the box held when the user came to it, as nobody is there to put the code right.
TEST(DtmfFields, ARefusedCodeGivesWayToTheOneBeforeWhenTheWindowIsLeft) {
  for (const bool messageOpen : {false, true}) {
    SCOPED_TRACE(messageOpen ? "while the length message is open" : "at once");
    DtmfFixture f;
    frm_dtmf& w = f.open();
    f.d.focus(w.Text_Ani);
    f.d.type("7");  // the full box starts again: "7" alone
    ASSERT_EQ(f.bytes(202, 10, 14), (std::vector<int>{7, 255, 255, 255, 255}));
    kit::Form& other = *f.program.frm_chann;
    if (!messageOpen) {
      f.d.activate(other);
      EXPECT_TRUE(f.d.messageBoxes().empty());
    } else {
      // Tab shows the length message; the user goes to another window while it is open.
      f.platform.onMessageBox = [&](const kit::MessageBoxRecord&) {
        f.platform.onMessageBox = nullptr;
        f.d.activate(other);
      };
      f.d.tab();
      EXPECT_EQ(f.box_texts().size(), 1u);
      EXPECT_EQ(f.platform.activeForm(), &other);
      EXPECT_EQ(w.Text_Ani.text(), "10000");
    }
    EXPECT_EQ(f.bytes(202, 10, 14), (std::vector<int>{1, 0, 0, 0, 0}));
  }
}

// The Close button lets the window go whatever the box holds (the empty box's message names it as
// the way out); the record gets back the code the box held when the user came to it.
TEST(DtmfFields, CloseLeavesAnEmptyOrShortCodeAndPutsTheOldOneBack) {
  for (const bool chinese : {false, true}) {
    for (const char* typed : {"", "7"}) {
      SCOPED_TRACE(std::string(typed) + (chinese ? " zh" : " en"));
      DtmfFixture f(chinese);
      frm_dtmf& w = f.open();
      f.d.focus(w.Text_Ani);
      f.d.selectAll();
      f.d.del();
      if (*typed) f.d.type(typed);
      f.d.clearMessageBoxes();
      f.d.click(w.Command_close);
      EXPECT_FALSE(f.program.frm_dtmf.loaded());
      EXPECT_TRUE(f.d.messageBoxes().empty());
      EXPECT_EQ(f.bytes(202, 10, 14), (std::vector<int>{1, 0, 0, 0, 0}));
    }
  }
}

// Whatever rebuilds or closes the window otherwise, or saves or writes the image, commits the code
// box first, as leaving it would: an empty or short code says why, the action stops, and the box
// keeps what was typed.
TEST(DtmfFields, AnEmptyOrShortCodeStopsWhatRebuildsOrClosesTheWindow) {
  const struct {
    const char* way;
    bool chinese;
    std::function<void(DtmfFixture&)> act;
  } ways[] = {
      {"Language > English", true,
       [](DtmfFixture& f) { f.d.click(f.program.MDImain->Language_eng); }},
      {"Language > Chinese", false,
       [](DtmfFixture& f) { f.d.click(f.program.MDImain->Language_chn); }},
      {"Exit", false, [](DtmfFixture& f) { f.d.click(f.program.MDImain->Menu_Exit); }},
      {"File > Exit", true, [](DtmfFixture& f) { f.d.click(f.program.MDImain->File_exit); }},
      {"Edit > DTMF", false, [](DtmfFixture& f) { f.d.click(f.program.MDImain->Dtmf_edit); }},
      // The save dialog or the write window would take the window's place in front, and with it
      // the code.
      {"File > Save", true,
       [](DtmfFixture& f) {
         f.d.shortcut(*f.program.MDImain, "Ctrl+S");
         EXPECT_FALSE(f.program.Form_save_chann.loaded());
       }},
      {"Program > Write", false,
       [](DtmfFixture& f) {
         f.d.shortcut(*f.program.MDImain, "Ctrl+W");
         EXPECT_FALSE(f.program.Form_Comm_Write.loaded());
       }},
      {"Program > Read", true,
       [](DtmfFixture& f) {
         f.d.shortcut(*f.program.MDImain, "Ctrl+R");
         EXPECT_FALSE(f.program.Form_Comm_Read.loaded());
       }},
      {"File > Open", false,
       [](DtmfFixture& f) {
         f.d.shortcut(*f.program.MDImain, "Ctrl+O");
         EXPECT_FALSE(f.program.Form_open_chann.loaded());
       }},
      {"its own Read", true, [](DtmfFixture& f) { f.w->Command_read.Click(); }},
      {"its own Write", false, [](DtmfFixture& f) { f.w->Command_Write.Click(); }},
      {"the close box", true, [](DtmfFixture& f) { EXPECT_FALSE(f.d.close(*f.w)); }},
      {"the main window's close box", false,
       [](DtmfFixture& f) { EXPECT_FALSE(f.d.close(*f.program.MDImain)); }},
  };
  for (const auto& way : ways) {
    for (const char* typed : {"12", ""}) {
      SCOPED_TRACE(std::string(way.way) + " over \"" + typed + "\"");
      DtmfFixture f(way.chinese);
      frm_dtmf& w = f.open();
      f.d.focus(w.Text_Ani);
      f.d.selectAll();
      f.d.del();
      f.d.type(typed);
      f.d.clearMessageBoxes();
      way.act(f);
      const Bilingual& why = *typed ? dtmf_prompt::Too_Short : dtmf_prompt::Empty;
      EXPECT_EQ(f.box_texts(), std::vector<std::string>{way.chinese ? why.chn : why.eng});
      ASSERT_TRUE(f.program.MDImain.loaded());
      ASSERT_TRUE(f.program.frm_dtmf.loaded());
      EXPECT_EQ(&*f.program.frm_dtmf, &w);
      EXPECT_EQ(f.data.Lang_Chn, way.chinese ? kTrue : kFalse);
      EXPECT_EQ(w.Text_Ani.text(), typed);
      EXPECT_TRUE(w.Text_Ani.hasFocus());
      const std::vector<int> held = *typed ? std::vector<int>{1, 2, 255, 255, 255} : kNoCode;
      EXPECT_EQ(f.bytes(202, 10, 14), held);
    }
  }
}

TEST(DtmfFields, TheEmptyBoxMessageSpeaksChinese) {
  DtmfFixture f(true);
  frm_dtmf& w = f.open();
  f.d.focus(w.Text_Ani);
  f.d.selectAll();
  f.d.del();
  f.d.clearMessageBoxes();
  f.d.click(w.Check_Ptt_P);
  ASSERT_EQ(f.box_texts(),
            (std::vector<std::string>{"码组不能为空，请输入 3 - 5 位码，或按“关闭”放弃修改 ！"}));
  EXPECT_EQ(f.d.lastMessageBox().title, "操作提示");
  EXPECT_TRUE(w.Text_Ani.hasFocus());
}

TEST(DtmfFields, AnEncodeGroupTakesAnyTextAndStoresItsRowWhenLeft) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  const struct {
    const char* typed;
    std::vector<int> stored;
    const char* shown;
  } cases[] = {{"ab*c", {13, 14, 11, 15, 255}, "AB*C"},
               {"x12", {255, 1, 2, 255, 255}, ""},
               {"  9 ", {9, 255, 255, 255, 255}, "9"},
               {"", kNoCode, ""}};
  for (const auto& c : cases) {
    f.d.focus(w.Text_tx_Encode[4]);
    f.d.selectAll();
    f.d.del();
    const std::vector<int> before = f.bytes(180);
    f.d.type(c.typed);
    EXPECT_EQ(f.bytes(180), before) << "nothing is stored while typing";
    f.d.tab();
    std::vector<int> row = c.stored;
    row.resize(16, 255);
    EXPECT_EQ(f.bytes(180), row) << c.typed;
    EXPECT_EQ(w.Text_tx_Encode[4].text(), c.shown) << c.typed;
  }
  EXPECT_TRUE(f.box_texts().empty());

  // Five characters, blanks counted: the next key starts the group again.
  f.d.focus(w.Text_tx_Encode[0]);
  f.d.type(" ");
  EXPECT_EQ(w.Text_tx_Encode[0].text(), " ");
  f.d.type("1234");
  // Enter types nothing: the full group stays.
  f.d.enter();
  EXPECT_EQ(w.Text_tx_Encode[0].text(), " 1234");
  f.d.type("5");
  EXPECT_EQ(w.Text_tx_Encode[0].text(), "5");
}

// An encode group only clicked into or tabbed through stores nothing: bytes its five characters
// do not show (codes past the fifth, a code with no character) stay as they were read.
TEST(DtmfFields, AnEncodeGroupOnlyLookedAtKeepsItsRow) {
  DtmfFixture f;
  frm_dtmf& w = f.open();
  for (int i = 0; i < frm_dtmf::kGroups; ++i)
    f.set(Dtmf_Encode_Rows.first + i, 0, {1, 10, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, i});
  f.redisplay();
  const MemImage before = f.data.Mem_Image;
  for (int i = 0; i < frm_dtmf::kGroups; ++i) {
    SCOPED_TRACE(i);
    f.d.lookThrough(w.Text_tx_Encode[i], w.Check_RX);
    EXPECT_TRUE(f.data.Mem_Image == before);
  }
  EXPECT_TRUE(f.box_texts().empty());
}

}  // namespace
}  // namespace j5::dtmf_test
