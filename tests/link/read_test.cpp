// The whole read window against the simulated radio.
#include <gtest/gtest.h>

#include "link/Form_Comm_Read.h"
#include "link_fixture.h"

namespace j5test {
namespace {

using sim::Fault;
using sim::FrameKind;
using sim::Misbehaviour;

struct Read : Link_Fixture {
  j5::Form_Comm_Read& w = program.Form_Comm_Read.load();
  j5::MemImage before;

  Read() {
    for (std::size_t r = 0; r < j5::MemImage::kRows; ++r)
      for (std::size_t c = 0; c < j5::MemImage::kCols; ++c) data.Mem_Image(r, c) = 0x11;
    before = data.Mem_Image;
    Fill_Radio_Pattern();
  }
  bool idle() const { return !w.Link.Link_Busy() && !d.messageBoxes().empty(); }
};

TEST_F(Read, CompleteReadFillsRowsZeroTo383ExceptRow207) {
  data.Block_Buf(2, 0) = j5::Cmd_Data;  // left by an earlier transfer in the column the
                                        // first reply does not write
  d.click(w.Command_read);
  EXPECT_EQ(w.Label_tr_count.caption(), "正在与对讲机联络 ！");
  ASSERT_TRUE(
      d.advanceUntil([&] { return w.Label_tr_count.caption() == "正在读取 3 数据块"; }, 2000));
  EXPECT_EQ(w.ProgressBar1.value(), 3);
  ASSERT_TRUE(
      d.advanceUntil([&] { return w.Label_tr_count.caption() == "正在读取 97 数据块"; }, 15000));
  EXPECT_EQ(w.ProgressBar1.value(), 100);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 2000));
  d.advance(10);  // the last ACK is still on the wire

  std::vector<int> addresses;
  for (const auto& e : toRadio(FrameKind::ReadRequest)) {
    addresses.push_back(e.bytes[1] << 8 | e.bytes[2]);
    EXPECT_EQ(e.bytes[3], 0x40);
  }
  std::vector<int> expected;
  for (int k = 0; k < 96; ++k) expected.push_back(k * 64);
  EXPECT_EQ(addresses, expected);
  // One ACK for the identification, then one per reply; the last one before the message.
  EXPECT_EQ(toRadio(FrameKind::Ack).size(), 1u + 96u);
  const auto& sent = platform.sent(1);
  EXPECT_EQ(sent.back().byte, j5::ACK);
  EXPECT_LE(sent.back().atMs, d.lastMessageBox().atMs);

  for (std::size_t r = 0; r < j5::MemImage::kRows; ++r)
    for (std::size_t c = 0; c < j5::MemImage::kCols; ++c) {
      int want = before(r, c);
      if (r <= 383 && c < 16) want = r == 207 ? 0xFF : radio.memory().at(r * 16 + c);
      ASSERT_EQ(data.Mem_Image(r, c), want) << "row " << r << " col " << c;
    }
  EXPECT_EQ(box_texts(), std::vector<std::string>{"从对讲机中读取数据完毕 ！"});
  EXPECT_EQ(d.lastMessageBox().title, "操作提示");
  EXPECT_EQ(w.Label_tr_count.caption(), "对讲机数据读出正常 ！");
  EXPECT_FALSE(w.Link.MSC.portOpen());
  EXPECT_EQ(program.Panel(2), "与对讲机数据通讯正常");
  EXPECT_EQ(program.Panel(7), "VHF: 136-- 174 MHZ");
  EXPECT_EQ(program.Panel(8), "UHF0: 400-- 520 MHZ");
  EXPECT_EQ(program.Panel(9), "UHF1: 220-- 260 MHZ");
  EXPECT_EQ(data.UHF1_Low, 220);
}

TEST_F(Read, EnglishTexts) {
  data.Lang_Chn = j5::kFalse;
  program.Form_Comm_Read.unload();
  auto& e = program.Form_Comm_Read.load();
  EXPECT_EQ(e.caption(), "Read Data From Radio");
  EXPECT_EQ(e.Command_read.caption(), "Read");
  d.click(e.Command_read);
  EXPECT_EQ(e.Label_tr_count.caption(), "Connecting with transceiver. ");
  ASSERT_TRUE(
      d.advanceUntil([&] { return e.Label_tr_count.caption() == "Reading 3 Data Block"; }, 2000));
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 15000));
  EXPECT_EQ(d.lastMessageBox().text, "Complete reading the data from transceiver.");
  EXPECT_EQ(d.lastMessageBox().title, "Operate Prompt");
  EXPECT_EQ(e.Label_tr_count.caption(), "Read Signal parameters in gear. ");
}

// Each way the radio can fail the read ends in the time-out and the failure report, and the
// image stays exactly as it was.
struct ReadFailure {
  const char* name;
  Fault fault;
  bool identified;  // the band texts were updated before the failure
  friend void PrintTo(const ReadFailure& f, std::ostream* os) { *os << f.name; }
};

class ReadFails : public Read, public ::testing::WithParamInterface<ReadFailure> {};

TEST_P(ReadFails, TimesOutAndLeavesTheImage) {
  radio.inject(GetParam().fault);
  d.click(w.Command_read);
  double lastSent = 0;
  platform.onMessageBox = [&](const kit::MessageBoxRecord&) {
    lastSent = platform.sent(1).back().atMs;
    EXPECT_FALSE(w.Link.Link_Busy());
    EXPECT_FALSE(w.Link.MSC.portOpen());
  };
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 15000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"与对讲机联络失败 ！"});
  // The report comes two seconds after the last byte the tool sent.
  EXPECT_NEAR(d.lastMessageBox().atMs - lastSent, 2000, 2 * kit::kByteMs9600);
  EXPECT_EQ(w.Label_tr_count.caption(), "与对讲机通讯故障 ！");
  EXPECT_FALSE(w.ProgressBar1.visible());
  EXPECT_TRUE(data.Mem_Image == before);
  EXPECT_EQ(program.Panel(7), GetParam().identified ? "VHF: 136-- 174 MHZ" : "");
  if (!GetParam().identified) {
    EXPECT_EQ(data.VHF_Low, 130);
  }
  d.advance(5000);
  EXPECT_EQ(d.messageBoxes().size(), 1u);  // the report comes once

  // The bar stays hidden at the next start until the first reply is in; then the read works.
  radio.clearFaults();
  d.clearMessageBoxes();
  d.click(w.Command_read);
  EXPECT_FALSE(w.ProgressBar1.visible());
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 15000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"从对讲机中读取数据完毕 ！"});
  EXPECT_TRUE(w.ProgressBar1.visible());
}

INSTANTIATE_TEST_SUITE_P(
    Link, ReadFails,
    ::testing::Values(
        ReadFailure{"NoAnswer", {Misbehaviour::Silence, FrameKind::AccessCode}, false},
        ReadFailure{"WrongFirstByte", {Misbehaviour::WrongFirstByte, FrameKind::AccessCode}, false},
        ReadFailure{"ShortIdent", {Misbehaviour::ShortFrame, FrameKind::Stx}, false},
        ReadFailure{"NoFinalAck", {Misbehaviour::Silence, FrameKind::Ack}, true},
        ReadFailure{
            "LaterReplyWithoutAck",
            {.what = Misbehaviour::NoLeadingAck, .answering = FrameKind::ReadRequest, .skip = 40},
            true},
        // A byte after a reply shifts the next one, whose last data byte would go missing.
        ReadFailure{
            "ByteAfterAReply",
            {.what = Misbehaviour::ExtraByte, .answering = FrameKind::ReadRequest, .skip = 10},
            true},
        ReadFailure{
            "ShortBlock",
            {.what = Misbehaviour::ShortFrame, .answering = FrameKind::ReadRequest, .skip = 95},
            true}),
    [](const auto& info) { return std::string(info.param.name); });

// The first reply arrives in one chunk behind a stray Cmd_Data byte: taken as the reply, it would
// shift the first block by one byte. It is not stored; the read ends in the time-out and the image
// stays as it was.
TEST_F(Read, StrayDataByteBeforeTheFirstReplyInOneChunkLeavesTheImage) {
  radio.inject({.what = Misbehaviour::Late, .answering = FrameKind::ReadRequest, .delay = 300'000});
  radio.inject(
      {.what = Misbehaviour::StrayByte, .answering = FrameKind::ReadRequest, .byte = j5::Cmd_Data});
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return program.Panel(2) == "与对讲机数据通讯正常"; }, 2000));
  // Another handler holds the thread while the reply comes in: it reaches the port as one chunk.
  platform.postAt(platform.nowMs() + 100, [&] { platform.pauseMs(600); });
  ASSERT_TRUE(d.advanceUntil([&] { return !d.messageBoxes().empty(); }, 15000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"与对讲机联络失败 ！"});
  EXPECT_TRUE(data.Mem_Image == before);
  EXPECT_EQ(toRadio(FrameKind::Ack).size(), 1u);  // the identification's only
}

TEST_F(Read, WrongFirstByteSendsNoStx) {
  radio.inject({Misbehaviour::WrongFirstByte, FrameKind::AccessCode});
  d.click(w.Command_read);
  d.advance(3000);
  EXPECT_EQ(sentBytes().size(), 7u);
  EXPECT_TRUE(toRadio(FrameKind::Stx).empty());
}

// Bytes that come in pieces are collected until the frame is complete.
struct Split_Device : Sim_Device {
  double gapMs = 300;
  void receive(std::uint8_t byte, double atMs, kit::SerialDeviceLink& link) override {
    radio.receive(byte, static_cast<sim::Micros>(atMs * 1000.0 + 0.5));
    auto out = radio.takeAllOutput();
    for (std::size_t i = 0; i < out.size(); ++i)
      link.send({out[i].value}, atMs + (out.size() > 10 && i >= 5 ? gapMs : 0));
  }
};

TEST_F(Read, RepliesInPiecesAreTaken) {
  Split_Device split;
  split.radio.memory() = radio.memory();
  split.attach(platform, 1);
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 60000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"从对讲机中读取数据完毕 ！"});
  EXPECT_EQ(data.Mem_Image(383, 15), radio.memory().at(383 * 16 + 15));
  EXPECT_EQ(program.Panel(7), "VHF: 136-- 174 MHZ");
}

TEST_F(Read, ReadCancelAndCloseWhileBusyOnlyShowTheirMessages) {
  d.click(w.Command_read);
  d.advance(500);
  ASSERT_TRUE(w.Link.Link_Busy());
  d.click(w.Command_read);
  d.click(w.Command_Cancel);
  EXPECT_FALSE(d.close(w));
  EXPECT_FALSE(program.Form_Comm_Read.unload());
  EXPECT_EQ(box_texts(),
            (std::vector<std::string>{
                "正在与对讲机进行读写操作 ！", "正在进行读写操作,请勿关窗口 ！,",
                "正在进行读写操作,请勿关窗口 ！,", "正在进行读写操作,请勿关窗口 ！,"}));
  EXPECT_TRUE(program.Form_Comm_Read.loaded());
  EXPECT_EQ(data.Win_Comm_Read, j5::kTrue);
  d.clearMessageBoxes();
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 15000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"从对讲机中读取数据完毕 ！"});
  EXPECT_EQ(toRadio(FrameKind::AccessCode).size(), 1u);
  d.click(w.Command_Cancel);
  EXPECT_FALSE(program.Form_Comm_Read.loaded());
  EXPECT_EQ(data.Win_Comm_Read, j5::kFalse);
}

// Ctrl+R or Language > English while a read runs: the window refuses to close, or the switch is
// refused before anything changed (its own message, the check marks as they were), and the read
// goes on under that box to its end.
TEST_F(Read, ARefusedCloseLeavesTheReadRunningUnderItsBox) {
  j5::MDImain& m = *program.MDImain;
  const struct {
    const char* way;
    std::function<void()> press;
    std::vector<std::string> boxes;
  } cases[] = {
      {"Ctrl+R",
       [&] { d.shortcut(m, "Ctrl+R"); },
       {"正在进行读写操作,请勿关窗口 ！,", "从对讲机中读取数据完毕 ！"}},
      {"English",
       [&] { d.click(m.Language_eng); },
       {"正在与对讲机进行读写操作，读写结束后才能切换语言 ！", "从对讲机中读取数据完毕 ！"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    d.clearMessageBoxes();
    data.Mem_Image(100, 1) = 0x11;
    d.click(w.Command_read);
    d.advance(500);
    ASSERT_TRUE(w.Link.Link_Busy());
    Wait_Under_Refused_Close(c.press, 15000);
    EXPECT_EQ(box_texts(), c.boxes);
    EXPECT_FALSE(w.Link.Link_Busy());
    EXPECT_FALSE(w.Link.MSC.portOpen());
    EXPECT_EQ(data.Mem_Image(100, 1), radio.memory().at(100 * 16 + 1));
    EXPECT_EQ(&*program.Form_Comm_Read, &w);
    EXPECT_EQ(data.Lang_Chn, j5::kTrue);
    EXPECT_TRUE(m.Language_chn.checked());
    EXPECT_FALSE(m.Language_eng.checked());
    EXPECT_EQ(w.Command_Cancel.caption(), "取消");
  }
}

TEST_F(Read, ANewReadRightAfterATimeOutIsNotCutShort) {
  radio.inject({Misbehaviour::Silence, FrameKind::AccessCode});
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 3000));
  d.advance(300);  // between the time-out and its report
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return idle(); }, 15000));
  EXPECT_EQ(box_texts(), std::vector<std::string>{"从对讲机中读取数据完毕 ！"});
  EXPECT_EQ(data.Mem_Image(100, 1), radio.memory().at(100 * 16 + 1));
}

TEST_F(Read, TheReportOfAnEarlierTimeOutDoesNotStopANewRead) {
  radio.inject({.what = Misbehaviour::Silence, .answering = FrameKind::AccessCode, .count = 2});
  d.click(w.Command_read);
  ASSERT_TRUE(d.advanceUntil([&] { return !w.Link.Link_Busy(); }, 3000));
  d.advance(300);
  d.click(w.Command_read);
  d.advance(5000);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"与对讲机联络失败 ！"});
  EXPECT_NEAR(d.lastMessageBox().atMs - platform.sent(1).back().atMs, 2000, 3);
  EXPECT_FALSE(w.Link.MSC.portOpen());
}

TEST_F(Read, PortThatDoesNotOpen) {
  data.Comm_Port = 9;
  d.click(w.Command_read);
  EXPECT_EQ(box_texts(), std::vector<std::string>{"通讯端口打开错误，请正确设置通讯端口 ！"});
  EXPECT_EQ(data.Port_Error, j5::kTrue);
  EXPECT_FALSE(w.Link.Link_Busy());
  EXPECT_EQ(w.Label_tr_count.caption(), "");
  EXPECT_TRUE(sentBytes().empty());
}

}  // namespace
}  // namespace j5test
