// The window's own transfer against the simulated radio: the read into the image, the write, the
// failures, and the window refusing to be changed or closed while it runs.
#include <gtest/gtest.h>

#include "dtmf_fixture.h"

namespace j5::dtmf_test {
namespace {

using Steps = std::vector<std::pair<int, std::string>>;

// Every change of the progress label, with the bar's value at that moment.
struct Progress_Log : kit::Peer {
  const frm_dtmf* w = nullptr;
  Steps steps;
  void changed(kit::Prop prop, int, int) override {
    if (prop == kit::Prop::Caption)
      steps.push_back({static_cast<int>(w->ProgressBar1.value()), w->Label_tr_count.caption()});
  }
};

struct DtmfTransfer : ::testing::Test {
  DtmfFixture f{true, sim::IdentForm::Ident8};
  sim::Radio& radio = f.radio;
  frm_dtmf& w = f.open();
  Progress_Log log;

  DtmfTransfer() {
    for (int a = 0x0B00; a < 0x0D00; ++a)
      radio.memory().set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 + a / 256));
    Fill_Access_Code(f.data);
    f.program.Set_Panel(2, "");
    // The transfer runs only where its buttons are shown.
    w.Command_read.setVisible(true);
    w.Command_Write.setVisible(true);
    log.w = &w;
    w.Label_tr_count.setPeer(&log);
  }
  ~DtmfTransfer() override {
    if (f.program.frm_dtmf.loaded()) w.Label_tr_count.setPeer(nullptr);
  }
  bool runUntilIdle(double maxMs = 20000) {
    return f.d.advanceUntil([&] { return !w.Link.Link_Busy(); }, maxMs);
  }
  int radioByte(int address) const {
    return radio.memory().read(static_cast<std::uint16_t>(address), 1)[0];
  }
};

TEST_F(DtmfTransfer, ReadPutsTheRadiosRecordIntoTheImageAndShowsIt) {
  f.set(204, 0, std::vector<int>(16, 0x77));
  f.d.click(w.Command_read);
  EXPECT_TRUE(w.ProgressBar1.visible());
  EXPECT_EQ(w.Label_tr_count.caption(), "正在与对讲机联络 ！");
  ASSERT_TRUE(runUntilIdle());
  // Rows the display does not store back hold the radio's bytes as read.
  for (int r = 176; r <= 203; ++r) {
    if (r >= 200 && r < 203) continue;
    for (int c = r < 200 ? 0 : 5; c < 16; ++c)
      ASSERT_EQ(f.data.Mem_Image(r, c), radioByte(r * 16 + c)) << r << " " << c;
  }
  EXPECT_EQ(f.bytes(204), std::vector<int>(16, 0x77));
  EXPECT_EQ(f.bytes(205), std::vector<int>(16, 255));
  // The window shows what it read (its display's write-back included).
  EXPECT_EQ(w.Combo_Enc_ys1.listIndex(), std::min(radioByte(0x0CB2), 195));
  EXPECT_EQ(w.Check_Ptt_P.value(), radioByte(0x0CAF) & 1);
  EXPECT_EQ(log.steps, (Steps{{0, "正在与对讲机联络 ！"},
                              {37, "正在读取 3 数据块"},
                              {50, "正在读取 4 数据块"},
                              {62, "正在读取 5 数据块"},
                              {75, "正在读取 6 数据块"},
                              {87, "正在读取 7 数据块"},
                              {100, "正在读取 8 数据块"},
                              {100, "信令参数读出正常 ！"}}));
  EXPECT_EQ(f.box_texts(), (std::vector<std::string>{"从对讲机中读取数据完毕 ！"}));
  EXPECT_EQ(f.program.Panel(2), "与对讲机数据通讯正常");
  const auto requests = f.toRadio(sim::FrameKind::ReadRequest);
  ASSERT_EQ(requests.size(), 7u);
  EXPECT_EQ(requests[6].bytes, (std::vector<std::uint8_t>{0x53, 0x0C, 0x80, 0x40}));
  EXPECT_FALSE(w.Link.MSC.portOpen());
}

TEST_F(DtmfTransfer, WriteSendsRows176To204) {
  f.data.Lang_Chn = kFalse;
  for (int r = 176; r <= 204; ++r)
    for (int c = 0; c < 16; ++c) f.data.Mem_Image(r, c) = static_cast<std::int16_t>((r + c) & 0xFF);
  f.d.click(w.Command_Write);
  ASSERT_TRUE(runUntilIdle());
  // Each frame carries its row as the image holds it (leaving the encode group the focus was in
  // stored that group and showed the record first).
  const auto frames = f.toRadio(sim::FrameKind::DataFrame);
  ASSERT_EQ(frames.size(), 29u);
  for (int c = 0; c < 29; ++c) {
    EXPECT_EQ(frames[c].bytes[1] << 8 | frames[c].bytes[2], 0x0B00 + 16 * c) << c;
    std::vector<int> data(frames[c].bytes.begin() + 4, frames[c].bytes.end());
    EXPECT_EQ(data, f.bytes(176 + c)) << c;
  }
  EXPECT_EQ(f.bytes(204, 15, 15), (std::vector<int>{(204 + 15) & 0xFF}));
  EXPECT_EQ(radioByte(0x0CCF), (204 + 15) & 0xFF);
  ASSERT_EQ(log.steps.size(), 30u);
  EXPECT_EQ(log.steps[1], (std::pair<int, std::string>{3, "Writing  0  Data Block"}));
  EXPECT_EQ(log.steps[28], (std::pair<int, std::string>{100, "Writing  27  Data Block"}));
  EXPECT_EQ(log.steps[29].second, "Complete writing Signal parameters ");
  EXPECT_EQ(f.d.lastMessageBox().text, "Complete writing Signal parameters to the transceiver.");
  EXPECT_EQ(f.d.lastMessageBox().title, "Operate Prompt");
}

TEST_F(DtmfTransfer, AReplyWithoutItsHeaderChangesNothingAndEndsInTheFailureAfterOneRestart) {
  const std::vector<std::vector<int>> before = [&] {
    std::vector<std::vector<int>> rows;
    for (int r = 176; r <= 207; ++r) rows.push_back(f.bytes(r));
    return rows;
  }();
  // Two stray bytes before every read reply put Cmd_Data in column 3: the reply is not taken.
  radio.inject({.what = sim::Misbehaviour::StrayByte,
                .answering = sim::FrameKind::ReadRequest,
                .count = sim::Fault::kAlways,
                .byte = 0x58});
  f.d.click(w.Command_read);
  ASSERT_TRUE(f.d.advanceUntil([&] { return !f.box_texts().empty(); }, 30000));
  for (int r = 176; r <= 207; ++r) EXPECT_EQ(f.bytes(r), before[r - 176]) << r;
  EXPECT_EQ(f.toRadio(sim::FrameKind::AccessCode).size(), 2u);
  EXPECT_EQ(f.box_texts(), (std::vector<std::string>{"与对讲机联络失败 ！"}));
  EXPECT_EQ(f.d.lastMessageBox().title, "操作提示");
  EXPECT_EQ(f.program.Panel(2), "联机故障 ！");
  EXPECT_FALSE(w.Link.Link_Busy());
}

TEST_F(DtmfTransfer, AClickWhileTheRestartIsPendingStartsAFreshExchangeThatFinishes) {
  radio.inject({.what = sim::Misbehaviour::Silence, .answering = sim::FrameKind::ReadRequest});
  f.d.click(w.Command_read);
  ASSERT_TRUE(runUntilIdle());  // the time-out: not busy while the restart waits
  f.d.advance(500);
  f.d.click(w.Command_read);
  EXPECT_TRUE(w.Link.Link_Busy());
  ASSERT_TRUE(runUntilIdle());
  EXPECT_EQ(f.box_texts(), (std::vector<std::string>{"从对讲机中读取数据完毕 ！"}));
  f.d.advance(5000);
  EXPECT_FALSE(w.Link.Link_Busy());
  EXPECT_EQ(f.toRadio(sim::FrameKind::AccessCode).size(), 2u);
}

TEST_F(DtmfTransfer, WhileItRunsTheWindowRefusesDefaultCloseAndAnotherStart) {
  f.data.Lang_Chn = kFalse;
  f.d.click(w.Command_read);
  ASSERT_TRUE(w.Link.Link_Busy());
  const std::vector<int> group1 = f.bytes(176);
  f.d.click(w.Command_def);
  f.d.click(w.Command_Write);
  f.d.click(w.Command_close);
  EXPECT_FALSE(f.d.close(w));
  f.d.click(f.program.MDImain->Dtmf_edit);
  EXPECT_EQ(f.box_texts(),
            (std::vector<std::string>{"Read-write operating with transceiver .",
                                      "Read-write operating with transceiver .",
                                      "Read-write operating with transceiver .",
                                      "Read-write operating，don't close the window.,",
                                      "Read-write operating，don't close the window.,"}));
  EXPECT_EQ(f.d.lastMessageBox().title, "Operate prompt");
  EXPECT_EQ(f.bytes(176), group1);
  EXPECT_EQ(f.program.frm_dtmf.get(), &w);
  EXPECT_EQ(f.data.Win_Dtmf, kTrue);
  ASSERT_TRUE(runUntilIdle());
  EXPECT_TRUE(f.d.close(w));
  EXPECT_EQ(f.data.Win_Dtmf, kFalse);
}

TEST_F(DtmfTransfer, NoPortOrAValueThatIsNoByteStopsTheTransferBeforeItStarts) {
  f.data.Mem_Image(190, 3) = 300;
  f.d.click(w.Command_Write);
  EXPECT_FALSE(w.Link.Link_Busy());
  EXPECT_EQ(f.d.lastMessageBox().text,
            "参数文件第 191 行含有 0 至 255 以外的数值，未向对讲机写入任何数据 ！");
  f.data.Comm_Port = 9;  // no such port
  f.d.click(w.Command_read);
  EXPECT_EQ(f.d.lastMessageBox().text, "通讯端口打开错误，请正确设置通讯端口 ！");
  EXPECT_FALSE(w.ProgressBar1.visible());
  EXPECT_TRUE(radio.log().empty());
}

}  // namespace
}  // namespace j5::dtmf_test
