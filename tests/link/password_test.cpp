// The password window against the simulated radio.
#include <gtest/gtest.h>

#include <string>

#include "link/Form_Write_PassWord.h"
#include "link_fixture.h"
#include "shell/MDImain.h"

namespace j5test {
namespace {

using sim::FrameKind;
using Bytes = std::vector<std::uint8_t>;

sim::Fault Fault(sim::Misbehaviour what, std::optional<FrameKind> answering = std::nullopt) {
  sim::Fault f;
  f.what = what;
  f.answering = answering;
  return f;
}

struct Password : Link_Fixture {
  static constexpr std::uint16_t kBlock = 0x1FF0;
  // Bytes 6 to 15 of the block, which a password change must leave as they are.
  const Bytes kRest = {0x01, 0x36, 0x01, 0x74, 0x04, 0x00, 0x05, 0x20, 0xAB, 0xCD};

  Password() {
    radio.config().identForm = sim::IdentForm::Ident8;
    Store("      ");
  }
  void Store(const std::string& six) {
    Bytes block(six.begin(), six.end());
    block.insert(block.end(), kRest.begin(), kRest.end());
    radio.memory().write(kBlock, block);
  }
  Bytes Block() const { return radio.memory().read(kBlock, 16); }
  j5::Form_Write_PassWord& open() {
    program.MDImain->PC_PassWord_Click();
    d.runUntilIdle();
    return *program.Form_Write_PassWord;
  }
  // Types the three boxes and presses Modify.
  void Modify(j5::Form_Write_PassWord& w, const std::string& old, const std::string& new1,
              const std::string& new2) {
    d.focus(w.Text_Old_PassWord);
    d.type(old);
    d.focus(w.Text_New_Password_1);
    d.type(new1);
    d.focus(w.Text_New_PassWord_2);
    d.type(new2);
    d.click(w.Command_Write);
  }
  std::vector<sim::LogEntry> writes() const { return toRadio(FrameKind::DataFrame); }
};

TEST_F(Password, NoPasswordSetWritesTwentyBytesAndCloses) {
  auto& w = open();
  EXPECT_EQ(w.caption(), "修改密码");
  EXPECT_EQ(w.Label_New_PassWord_2.caption(), "确认新密码");
  EXPECT_EQ(w.Text_Old_PassWord.passwordChar(), '*');
  Modify(w, "anything", "ab", "ab");
  EXPECT_EQ(program.Panel(2), "正在与对讲机进行连接...");
  // The message shows over the boxes as they were typed; they empty once it is closed.
  std::string shownOver = "(no message)";
  platform.onMessageBox = [&](const kit::MessageBoxRecord&) {
    shownOver = w.Text_New_Password_1.text();
  };
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
  platform.onMessageBox = nullptr;
  EXPECT_EQ(box_texts(), std::vector<std::string>{"密码修改成功 "});
  EXPECT_EQ(shownOver, "ab");
  EXPECT_EQ(d.lastMessageBox().title, "操作提示");
  // The code goes out whole (eight bytes), then STX, ACK and the request behind an ACK.
  ASSERT_EQ(toRadio(FrameKind::AccessCode).size(), 1u);
  EXPECT_EQ(toRadio(FrameKind::ReadRequest).at(0).bytes, (Bytes{0x53, 0x1F, 0xF0, 0x10}));
  ASSERT_EQ(writes().size(), 1u);
  EXPECT_EQ(writes()[0].bytes.size(), 20u);
  Bytes expected = {'a', 'b', ' ', ' ', ' ', ' '};
  expected.insert(expected.end(), kRest.begin(), kRest.end());
  EXPECT_EQ(Block(), expected);
  // The request, the ACK of its reply, then the frame without an ACK of its own.
  const Bytes sent = sentBytes();
  EXPECT_EQ(Bytes(sent.end() - 22, sent.end() - 18), (Bytes{0x10, 0x06, 0x58, 0x1F}));
  EXPECT_EQ(w.Text_Old_PassWord.text(), "");
  EXPECT_EQ(w.Text_New_Password_1.text(), "");
  EXPECT_FALSE(w.Link.Link_Busy());
  // The window speaks in status panel 2 only: it shows no progress label or bar.
  EXPECT_EQ(program.Panel(2), "与对讲机连接正常");
  EXPECT_FALSE(w.Transfer.Progress.Label_tr_count.visible());
  EXPECT_FALSE(w.Transfer.Progress.ProgressBar1.visible());
  // The window closes half a second after the message.
  d.advance(450);
  EXPECT_TRUE(program.Form_Write_PassWord.loaded());
  d.advance(100);
  EXPECT_FALSE(program.Form_Write_PassWord.loaded());
}

TEST_F(Password, MatchingOldPasswordWritesBehindAnAck) {
  Store("123456");
  data.Lang_Chn = j5::kFalse;
  auto& w = open();
  EXPECT_EQ(w.Command_Write.caption(), "Modify");
  Modify(w, " 123456 ", "x9", "x9 ");
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
  EXPECT_EQ(d.lastMessageBox().text, "PassWord Modify Success ! ");
  EXPECT_EQ(d.lastMessageBox().title, "Operate Prompt");
  const Bytes sent = sentBytes();
  ASSERT_GE(sent.size(), 23u);
  EXPECT_EQ(Bytes(sent.end() - 23, sent.end() - 21), (Bytes{0x10, 0x06}));
  const Bytes frame(sent.end() - 21, sent.end());
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 11),
            (Bytes{0x06, 0x58, 0x1F, 0xF0, 0x10, 'x', '9', ' ', ' ', ' ', ' '}));
  EXPECT_EQ(Bytes(frame.begin() + 11, frame.end()), kRest);
  EXPECT_EQ(Block()[0], 'x');
}

// The old password must match all six stored bytes; anything else is refused and nothing is
// written.
TEST_F(Password, WrongOldPasswordIsRefused) {
  for (const char* old : {"", "12345", "123457", "23456", "x23456"}) {
    SCOPED_TRACE(old);
    Store("123456");
    radio.clearLog();
    d.clearMessageBoxes();
    auto& w = open();
    Modify(w, old, "a", "a");
    ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
    EXPECT_EQ(box_texts(), std::vector<std::string>{"原密码错误，禁止写入"});
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(Block()[0], '1');
    EXPECT_FALSE(w.MSC.portOpen());
    d.advance(1000);
    EXPECT_TRUE(program.Form_Write_PassWord.loaded());
  }
}

// No answer, a wrong identification, a short reply: the port closes and one second later the
// failure report; the window stays for another try.
TEST_F(Password, FailuresEndInTheReport) {
  struct Case {
    const char* name;
    std::function<void(sim::Radio&)> fault;
  };
  const std::vector<Case> cases = {
      {"silence", [](sim::Radio& r) { r.inject(Fault(sim::Misbehaviour::Silence)); }},
      {"14-byte identification",
       [](sim::Radio& r) { r.config().identForm = sim::IdentForm::Ident14; }},
      {"reply of the length asked for", [](sim::Radio& r) { r.config().minReadLength = 0; }},
      {"short reply", [](sim::Radio& r) {
         r.inject(Fault(sim::Misbehaviour::ShortFrame, FrameKind::ReadRequest));
       }}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    radio.config() = sim::RadioConfig{};
    radio.config().identForm = sim::IdentForm::Ident8;
    radio.clearFaults();
    radio.reset();
    c.fault(radio);
    d.clearMessageBoxes();
    program.Set_Panel(2, "");
    auto& w = open();
    Modify(w, "", "a", "a");
    ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 6000));
    EXPECT_EQ(box_texts(), std::vector<std::string>{"与对讲机联络失败 ！"});
    EXPECT_EQ(program.Panel(2), "联机故障 ！");
    EXPECT_FALSE(w.MSC.portOpen());
    EXPECT_FALSE(w.Link.Link_Busy());
    EXPECT_TRUE(writes().empty());
    d.advance(1000);
    EXPECT_TRUE(program.Form_Write_PassWord.loaded());
  }
}

// The radio answers the write frame with something other than ACK: the failure is reported, and
// the window closes once the message is closed.
TEST_F(Password, RefusedWriteIsReported) {
  radio.inject(Fault(sim::Misbehaviour::WrongFirstByte, FrameKind::DataFrame));
  auto& w = open();
  Modify(w, "", "a", "a");
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"与对讲机联络失败 ！"});
  EXPECT_FALSE(w.MSC.portOpen());
  d.advance(600);
  EXPECT_FALSE(program.Form_Write_PassWord.loaded());
}

// A key typed over a selection replaces it: the six characters count the text as it will stand.
TEST_F(Password, KeysTypedOverASelectionReplaceIt) {
  auto& w = open();
  const struct {
    int start, length;  // the selection in "abcdef"
    const char* typed;
    const char* shown;
  } cases[] = {
      {0, 6, "xyz", "xyz"},
      {2, 2, "12", "ab12ef"},
      {2, 2, "123", "ab12ef"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    d.focus(w.Text_New_Password_1);
    d.selectAll();
    d.type("abcdef");
    w.Text_New_Password_1.userSelect(c.start, c.length);
    d.type(c.typed);
    EXPECT_EQ(w.Text_New_Password_1.text(), c.shown);
  }
}

// Blanks at either end are not sent, so they are not counted; but once six characters stand no
// key goes in, a blank neither, and none that would stand seventh behind an inner blank.
TEST_F(Password, NoSeventhCharacterGoesInBlankOrNot) {
  auto& w = open();
  const struct {
    const char* typed;
    int caret;  // where the last key goes, -1 for the end
    const char* shown;
  } cases[] = {
      {"abcdef ", -1, "abcdef"}, {"abcdef ", 0, "abcdef"},     {"abcdef ", 3, "abcdef"},
      {"abcde f", -1, "abcde "}, {"  abcdef", -1, "  abcdef"}, {"abc   ", -1, "abc   "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " at " + std::to_string(c.caret));
    d.focus(w.Text_Old_PassWord);
    d.selectAll();
    d.del();
    const std::string typed = c.typed;
    d.type(typed.substr(0, typed.size() - 1));
    if (c.caret >= 0) w.Text_Old_PassWord.userSelect(c.caret, 0);
    d.type(typed.substr(typed.size() - 1));
    EXPECT_EQ(w.Text_Old_PassWord.text(), c.shown);
  }
}

// A byte behind the read's reply reaches the tool while the write frame still waits to leave: it
// answers nothing, the frame goes out and the radio's own answer decides.
TEST_F(Password, AByteBeforeTheFrameHasGoneOutAnswersNothing) {
  for (std::uint8_t extra : {j5::ACK, std::uint8_t{0x15}}) {
    SCOPED_TRACE(static_cast<int>(extra));
    Store("      ");
    radio.clearLog();
    d.clearMessageBoxes();
    sim::Fault f = Fault(sim::Misbehaviour::ExtraByte, FrameKind::ReadRequest);
    f.byte = extra;
    radio.inject(f);
    auto& w = open();
    Modify(w, "", "ab", "ab");
    ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
    EXPECT_EQ(box_texts(), std::vector<std::string>{"密码修改成功 "});
    EXPECT_EQ(writes().size(), 1u);
    EXPECT_EQ(Block()[0], 'a');
    d.advance(600);
  }
}

// The line hangs up once the one frame has gone out: the radio holds that frame or nothing of it,
// so the window's own failure is reported, never a radio partly written.
TEST_F(Password, ALineThatHangsUpAfterTheFrameReportsTheWindowsFailure) {
  for (bool chinese : {true, false}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    data.Lang_Chn = chinese ? j5::kTrue : j5::kFalse;
    Store("      ");
    radio.clearLog();
    d.clearMessageBoxes();
    radio.inject(Fault(sim::Misbehaviour::Silence, FrameKind::DataFrame));
    auto& w = open();
    Modify(w, "", "a", "a");
    ASSERT_TRUE(d.advanceUntil([&] { return !writes().empty(); }, 5000));
    platform.hangUp(1);
    ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
    EXPECT_EQ(box_texts(), std::vector<std::string>{chinese ? "与对讲机联络失败 ！"
                                                            : "Fail connect with transceiver."});
    EXPECT_FALSE(w.MSC.portOpen());
  }
}

TEST_F(Password, EntryRules) {
  auto& w = open();
  // Six printable ASCII characters at most; Backspace always passes.
  d.focus(w.Text_New_Password_1);
  d.type("abcdefg");
  EXPECT_EQ(w.Text_New_Password_1.text(), "abcdef");
  d.backspace();
  d.type("\xe4\xb8\xad");  // a Chinese character
  EXPECT_EQ(w.Text_New_Password_1.text(), "abcde");
  // A paste gets past the typing rule, and Modify refuses it.
  d.focus(w.Text_New_PassWord_2);
  d.paste("abcdefgh");
  d.focus(w.Text_New_Password_1);
  d.selectAll();
  d.paste("abcdefgh");
  d.click(w.Command_Write);
  EXPECT_EQ(d.lastMessageBox().text, "新密码最多 6 个字符（字母、数字或符号）");
  // The two new boxes must agree.
  d.focus(w.Text_New_PassWord_2);
  d.selectAll();
  d.paste("abc");
  d.click(w.Command_Write);
  EXPECT_EQ(d.lastMessageBox().text, "密码不一致");
  EXPECT_TRUE(sentBytes().empty());
  // Codes: the characters without the blanks around them, blanks after the last.
  const auto codes = j5::Form_Write_PassWord::Password_Codes("  ab ");
  EXPECT_EQ(std::vector<int>(codes.begin(), codes.begin() + 6),
            (std::vector<int>{'a', 'b', ' ', ' ', ' ', ' '}));
}

TEST_F(Password, BusyWindowRefusesWriteAndClose) {
  auto& w = open();
  Modify(w, "", "ab", "ab");
  d.advance(5);
  d.focus(w.Text_New_Password_1);
  d.type("c");
  d.focus(w.Text_New_PassWord_2);
  d.type("c");
  d.click(w.Command_Write);
  EXPECT_EQ(d.lastMessageBox().text, "正在与对讲机进行读写操作 ！");
  d.click(w.Command_Cancel);
  EXPECT_EQ(d.lastMessageBox().text, "正在进行读写操作,请勿关窗口 ！,");
  EXPECT_TRUE(program.Form_Write_PassWord.loaded());
  // The running exchange writes what it started with.
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 5000));
  EXPECT_EQ(Block()[2], ' ');
  EXPECT_EQ(toRadio(FrameKind::AccessCode).size(), 1u);
}

// Exit (menu or close box), the language switch and the window's own reload wait for its
// exchange: each is refused with its message, nothing closes or changes, and the password still
// changes.
TEST_F(Password, ExitLanguageAndReloadAreRefusedDuringTheExchange) {
  auto& w = open();
  j5::MDImain& m = *program.MDImain;
  const std::string exitBusy = "正在与对讲机进行读写操作，读写结束后才能退出 ！";
  const struct {
    const char* way;
    std::function<void()> press;
    std::string refusal;
  } ways[] = {
      {"Exit", [&] { d.click(m.Menu_Exit); }, exitBusy},
      {"close box", [&] { program.MDImain.unload(); }, exitBusy},
      {"English", [&] { d.click(m.Language_eng); },
       "正在与对讲机进行读写操作，读写结束后才能切换语言 ！"},
      {"reload", [&] { m.PC_PassWord_Click(); }, "正在进行读写操作,请勿关窗口 ！,"},
  };
  Modify(w, "", "ab", "ab");
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    d.advance(20);
    ASSERT_TRUE(w.Link.Link_Busy());
    d.clearMessageBoxes();
    way.press();
    EXPECT_EQ(box_texts(), std::vector<std::string>{way.refusal});
    EXPECT_TRUE(program.MDImain.loaded());
    ASSERT_TRUE(program.Form_Write_PassWord.loaded());
    EXPECT_EQ(&*program.Form_Write_PassWord, &w);
    EXPECT_EQ(data.Lang_Chn, j5::kTrue);
  }
  ASSERT_TRUE(d.advanceUntil([&] { return d.messageBoxes().size() > 1; }, 5000));
  EXPECT_EQ(d.lastMessageBox().text, "密码修改成功 ");
  EXPECT_EQ(Block()[0], 'a');
}

// A change started in the half second before the window closes keeps the window for it: it
// closes half a second after that change's message.
TEST_F(Password, AChangeStartedBeforeTheCloseKeepsTheWindow) {
  auto& w = open();
  Modify(w, "", "ab", "ab");
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
  d.advance(300);
  d.clearMessageBoxes();
  Modify(w, "ab", "cd", "cd");
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"密码修改成功 "});
  EXPECT_EQ(Block()[0], 'c');
  d.advance(450);
  EXPECT_TRUE(program.Form_Write_PassWord.loaded());
  d.advance(100);
  EXPECT_FALSE(program.Form_Write_PassWord.loaded());
}

// The check compares with the old password the exchange started with, not with what the box came
// to hold while the block was on its way.
TEST_F(Password, OldPasswordTypedDuringTheExchangeDoesNotCount) {
  Store("123456");
  auto& w = open();
  Modify(w, "999999", "a", "a");
  d.advance(5);
  d.focus(w.Text_Old_PassWord);
  d.selectAll();
  d.paste("123456");
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 5000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"原密码错误，禁止写入"});
  EXPECT_TRUE(writes().empty());
}

TEST_F(Password, CancelBetweenTimeOutAndReportClosesQuietly) {
  radio.inject(Fault(sim::Misbehaviour::Silence));
  auto& w = open();
  Modify(w, "", "a", "a");
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 3000));
  d.click(w.Command_Cancel);
  EXPECT_FALSE(program.Form_Write_PassWord.loaded());
  d.advance(2000);
  EXPECT_TRUE(d.messageBoxes().empty());
}

}  // namespace
}  // namespace j5test
