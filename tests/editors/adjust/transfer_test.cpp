// Reading and writing the adjustment table against the simulated radio: the handshake, the
// blocks, the restarts and the failure report.
#include <gtest/gtest.h>

#include "adj_fixture.h"
#include "link/link_bytes.h"

namespace j5::adj_test {
namespace {

using sim::FrameKind;
using Texts = std::vector<std::string>;

struct AdjTransfer : ::testing::Test {
  AdjFixture f;
  frm_Adj_Txp& w = f.open();

  static int address(const sim::LogEntry& e) { return e.bytes[1] << 8 | e.bytes[2]; }
  // Runs the clock until the transfer has ended for good (done, failed or refused).
  void finish() {
    f.d.advanceUntil([&] { return !w.Link.Link_Busy() && !w.Link.Timer3.enabled(); }, 20000);
    f.d.advance(10);
  }
  // The radio's adjustment memory and the block at 0x1EC0: values every box takes (a value out
  // of a box's range would be refused on display), the version text at 0x1EF0.
  void fillRadio() {
    for (int a = 0x1EC0; a < 0x2000; ++a)
      f.radio.memory().set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 % 16));
    const std::string version = "V1.2345";
    for (int i = 0; i < 7; ++i)
      f.radio.memory().set(static_cast<std::uint16_t>(0x1EF0 + i),
                           static_cast<std::uint8_t>(version[static_cast<std::size_t>(i)]));
  }
};

TEST_F(AdjTransfer, ReadFillsRowsZeroTo19FromTheFiveBlocks) {
  fillRadio();
  f.page(4);
  f.d.click(w.Command_read);
  EXPECT_EQ(w.Label_tr_count.caption(), "正在与对讲机联络 ！");
  EXPECT_TRUE(w.ProgressBar1.visible());
  Texts labels;
  f.d.advanceUntil(
      [&] {
        if (labels.empty() || labels.back() != w.Label_tr_count.caption())
          labels.push_back(w.Label_tr_count.caption());
        return !f.d.messageBoxes().empty();
      },
      10000);
  finish();

  std::vector<int> addresses;
  for (const auto& e : f.toRadio(FrameKind::ReadRequest)) addresses.push_back(address(e));
  EXPECT_EQ(addresses, (std::vector<int>{0x1F00, 0x1F40, 0x1F80, 0x1FC0, 0x1EC0}));
  EXPECT_EQ(labels, (Texts{"正在与对讲机联络 ！", "正在读取 3 数据块", "正在读取 4 数据块",
                           "正在读取 5 数据块", "正在读取 6 数据块", "调整参数读出正常 ！"}));
  for (int r = 0; r < 20; ++r) {
    const int base = r < 16 ? 0x1F00 + 16 * r : 0x1EC0 + 16 * (r - 16);
    for (int c = 0; c < 16; ++c)
      ASSERT_EQ(f.data.Adj_Value(r, c), f.radio.memory().at(static_cast<std::uint16_t>(base + c)))
          << r << "," << c;
  }
  EXPECT_EQ(f.box_texts(), Texts{"从对讲机中读取调整数据完毕 ！"});
  EXPECT_EQ(f.d.lastMessageBox().title, "操作提示");
  EXPECT_EQ(w.ProgressBar1.value(), 100);
  EXPECT_FALSE(w.Link.MSC.portOpen());
  EXPECT_EQ(f.program.Panel(2), "与对讲机数据通讯正常");
  EXPECT_EQ(f.program.Panel(7), "VHF: 136-- 174 MHZ");
  EXPECT_EQ(f.data.UHF1_High, 260);
  EXPECT_EQ(w.Text_Version.text(), "V1.2345");
}

TEST_F(AdjTransfer, WriteSendsTheTagFrameThenRowsZeroTo15) {
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 16; ++c) f.data.Adj_Value(r, c) = static_cast<std::int16_t>(r * 16 + c);
  f.data.Lang_Chn = kFalse;
  // The third frame goes unanswered once: the restart sends the tag frame again after rows
  // have been queued, and its last four bytes are still 0.
  sim::Fault once;
  once.answering = FrameKind::DataFrame;
  once.skip = 2;
  f.radio.inject(once);
  f.d.click(w.Command_Write);
  finish();

  const auto frames = f.toRadio(FrameKind::DataFrame);
  std::vector<int> addresses;
  for (const auto& e : frames) addresses.push_back(address(e));
  std::vector<int> expected = {0x0DF0, 0x1F00, 0x1F10};
  for (int r = -1; r < 16; ++r) expected.push_back(r < 0 ? 0x0DF0 : 0x1F00 + 16 * r);
  EXPECT_EQ(addresses, expected);
  for (const auto& e : frames) {
    if (address(e) != 0x0DF0) continue;
    EXPECT_EQ(std::string(e.bytes.begin() + 4, e.bytes.begin() + 16), "FACTORYADJST");
    EXPECT_EQ(std::vector<int>(e.bytes.begin() + 16, e.bytes.end()), std::vector<int>(4, 0));
  }
  for (int a = 0; a < 256; ++a)
    ASSERT_EQ(f.radio.memory().at(static_cast<std::uint16_t>(0x1F00 + a)), a);
  EXPECT_EQ(f.radio.memory().at(0x1EC0), 0xFF);  // rows 16..19 never reach the radio
  EXPECT_EQ(f.box_texts(), Texts{"Complete writing optional parameters to the transceiver."});
  EXPECT_EQ(f.d.lastMessageBox().title, "Operate Prompt");
  EXPECT_EQ(w.Label_tr_count.caption(), "Complete writing optional parameters ");
  EXPECT_EQ(w.ProgressBar1.value(), 100);
}

// A value that is no byte appearing in the table while the write runs waits for the next write:
// the radio gets the table as it stood when the write began, and the next write refuses it.
TEST_F(AdjTransfer, ANonByteArrivingDuringTheWriteWaitsForTheNextWrite) {
  const AdjTable start = f.data.Adj_Value;
  f.d.click(w.Command_Write);
  ASSERT_TRUE(f.d.advanceUntil([&] { return w.ProgressBar1.value() >= 25; }, 5000));
  f.data.Adj_Value(10, 0) = 300;
  finish();
  EXPECT_EQ(f.box_texts(), Texts{"调整参数写入完毕 ！"});
  EXPECT_EQ(f.toRadio(FrameKind::DataFrame).size(), 17u);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      ASSERT_EQ(f.radio.memory().at(static_cast<std::uint16_t>(0x1F00 + 16 * r + c)), start(r, c))
          << r << "," << c;
  f.d.clearMessageBoxes();
  f.d.click(w.Command_Write);
  EXPECT_EQ(f.box_texts(),
            Texts{"调整参数含有 0 至 255 以外的数值，未向对讲机写入任何数据 ！ 行 10"});
  EXPECT_FALSE(w.Link.Link_Busy());
}

// With no answer every attempt times out; after the fourth only status panel 2 tells.
TEST_F(AdjTransfer, FourSilentAttemptsEndInPanelTwo) {
  const AdjTable before = f.data.Adj_Value;
  f.hangingRead();
  const double start = f.platform.nowMs();
  finish();
  EXPECT_EQ(f.toRadio(FrameKind::AccessCode).size(), 4u);
  EXPECT_NEAR(f.platform.nowMs() - start, 4 * 3000, 100);
  EXPECT_EQ(f.program.Panel(2), "联机故障 ！");
  EXPECT_TRUE(f.box_texts().empty());
  EXPECT_EQ(w.Label_tr_count.caption(), "正在与对讲机联络 ！");
  EXPECT_TRUE(w.ProgressBar1.visible());
  EXPECT_EQ(w.ProgressBar1.value(), 0);
  EXPECT_TRUE(f.data.Adj_Value == before);
}

// A press of Read in the pause before a restart starts a transfer of its own, which the pending
// restart neither stops nor freezes.
TEST_F(AdjTransfer, AReadPressedInTheRetryPauseRunsToTheEnd) {
  fillRadio();
  f.hangingRead();
  f.d.advance(1500);  // timed out; the restart is due in another 1.5 s
  EXPECT_FALSE(w.Link.Link_Busy());
  f.radio.clearFaults();
  f.d.click(w.Command_read);
  finish();
  EXPECT_EQ(f.box_texts(), Texts{"从对讲机中读取调整数据完毕 ！"});
  EXPECT_EQ(f.toRadio(FrameKind::AccessCode).size(), 2u);
  EXPECT_EQ(f.data.Adj_Value(0, 0), f.radio.memory().at(0x1F00));
}

// A press in that pause whose port will not open shows the port message; the read that timed out
// is not restarted but still ends in its failure panel, and file requests are served after it.
TEST_F(AdjTransfer, APressWithoutAPortInTheRetryPauseLeavesTheFailurePanel) {
  f.hangingRead();
  f.d.advance(1500);
  f.data.Comm_Port = 9;
  f.d.click(w.Command_read);
  f.d.advance(10000);
  EXPECT_EQ(f.box_texts(), Texts{"通讯端口打开错误，请正确设置通讯端口 ！"});
  EXPECT_EQ(f.program.Panel(2), "联机故障 ！");
  EXPECT_EQ(f.toRadio(FrameKind::AccessCode).size(), 1u);
  EXPECT_FALSE(w.Link.Timer3.enabled());
}

// The radio goes away (its line hangs up): there is no radio to start again with, so the
// transfer ends at its first time-out; a write says the radio is only partly written, a read
// shows the failure panel alone.
TEST_F(AdjTransfer, ALineThatHangsUpEndsWithoutRestarts) {
  fillRadio();
  for (bool write : {false, true}) {
    SCOPED_TRACE(write ? "write" : "read");
    f.d.clearMessageBoxes();
    f.radio.clearLog();
    f.program.Set_Panel(2, "");
    f.d.click(write ? w.Command_Write : w.Command_read);
    const FrameKind frame = write ? FrameKind::DataFrame : FrameKind::ReadRequest;
    ASSERT_TRUE(f.d.advanceUntil([&] { return f.toRadio(frame).size() >= 3; }, 5000));
    f.platform.hangUp(1);
    finish();
    EXPECT_EQ(f.box_texts(),
              write ? Texts{"与对讲机的连接中断，写入停止，对讲机只写入了一部分 ！"} : Texts{});
    EXPECT_EQ(f.program.Panel(2), "联机故障 ！");
    EXPECT_EQ(f.toRadio(FrameKind::AccessCode).size(), 1u);
  }
}

TEST_F(AdjTransfer, PressesWhileBusyAndBadStartsChangeNothing) {
  // Read and Write during a read: the busy message, and the read goes on.
  fillRadio();
  f.d.click(w.Command_read);
  f.d.advance(30);
  f.d.click(w.Command_read);
  f.d.click(w.Command_Write);
  finish();
  EXPECT_EQ(f.box_texts(), (Texts{"正在与对讲机进行读写操作 ！", "正在与对讲机进行读写操作 ！",
                                  "从对讲机中读取调整数据完毕 ！"}));
  // A value that is no byte: nothing is sent.
  f.d.clearMessageBoxes();
  f.radio.clearLog();
  f.data.Adj_Value(5, 3) = 300;
  f.d.click(w.Command_Write);
  EXPECT_EQ(f.box_texts(),
            Texts{"调整参数含有 0 至 255 以外的数值，未向对讲机写入任何数据 ！ 行 5"});
  // A port that does not open: its message, no progress, no restart.
  f.d.clearMessageBoxes();
  f.data.Adj_Value(5, 3) = 3;
  f.data.Comm_Port = 9;
  w.Label_tr_count.setCaption("");
  f.d.click(w.Command_read);
  finish();
  EXPECT_EQ(f.box_texts(), Texts{"通讯端口打开错误，请正确设置通讯端口 ！"});
  EXPECT_EQ(w.Label_tr_count.caption(), "");
  EXPECT_TRUE(f.radio.log().empty());
}

}  // namespace
}  // namespace j5::adj_test
