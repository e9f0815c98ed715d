// Start-up of the program: what the main window's load leaves behind.

#include <numeric>

#include "data/access_code.h"
#include "data/defaults.h"
#include "editors/channels/frm_chann.h"
#include "main_window_fixture.h"
#include "platform/runtime.h"

namespace j5::test {
namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, WithoutAPortEverythingIsReadyInChinese) {
  MDImain& m = start();
  const Shared_Data& d = program.data;

  EXPECT_TRUE(m.shown());
  EXPECT_EQ(m.caption(), "J5 系列对讲机编程软件");
  EXPECT_EQ(m.width(), 15360);
  EXPECT_EQ(m.height(), 11520);

  // No port: COM1, no identification, nothing sent.
  EXPECT_EQ(d.Comm_Port, 1);
  EXPECT_EQ(d.Port_Error, kTrue);
  EXPECT_FALSE(m.MSC.portOpen());
  EXPECT_TRUE(platform.sent(1).empty());

  const std::vector<std::string> panels = {"状态",
                                           "",
                                           "COM1",
                                           "软件版本",
                                           "V18.01.28",
                                           "工作频段",
                                           "VHF: 130 -   179MHZ",
                                           "UHF0: 240 -   260MHZ",
                                           "UHF1: 400 -   520MHZ",
                                           "",
                                           ""};
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(panel(n), panels[n - 1]) << "panel " << n;
  EXPECT_TRUE(platform.messageBoxes().empty());

  EXPECT_EQ(d.Lang_Chn, kTrue);
  EXPECT_EQ(d.Lang_Text[10], "0.通话");
  EXPECT_EQ(d.Model_Index, 0);
  EXPECT_EQ((std::array{d.VHF_Low, d.VHF_High, d.UHF0_Low, d.UHF0_High, d.UHF1_Low, d.UHF1_High}),
            (std::array<double, 6>{130, 179, 240, 260, 400, 520}));
  EXPECT_EQ(d.Chann_Total, 128);
  EXPECT_DOUBLE_EQ(d.Tone_Tick, 0.000434028);
  EXPECT_EQ(d.Tone_List[0], "OFF");
  EXPECT_NE(d.Opt_Id[0], 0);
  for (std::size_t i = 0; i < kAccessCode.size(); ++i) EXPECT_EQ(d.Access_Code[i], kAccessCode[i]);
  EXPECT_EQ(d.Access_Code[8], 0);
  EXPECT_EQ(d.Access_Code[9], 0);

  // The channel editor is open while every window-open flag reads 0.
  ASSERT_TRUE(program.frm_chann.loaded());
  EXPECT_TRUE(program.frm_chann->shown());
  EXPECT_EQ(program.frm_chann->mdiParent(), &m);
  // It shows the seven factory channels and nothing after them.
  const kit::Grid& grid = program.frm_chann->MSF_Chann;
  for (int row = 1; row <= 7; ++row)
    EXPECT_NE(rt::Trim(grid.textMatrix(row, frm_chann::kColRx)), "") << "row " << row;
  EXPECT_EQ(rt::Trim(grid.textMatrix(8, frm_chann::kColRx)), "");
  for (std::int16_t flag : {d.Win_Option, d.Win_Dtmf, d.Win_Chann, d.Win_Setup, d.Win_Save_Chann,
                            d.Win_Open_Chann, d.Win_Comm_Read, d.Win_Comm_Write})
    EXPECT_EQ(flag, kFalse);
  EXPECT_EQ(m.children().size(), 1u);
}

TEST_F(StartUp, ImageHoldsTheFactoryContentsAndNothingBeyond) {
  start();
  const Shared_Data& d = program.data;

  Shared_Data expected;
  Init_Factory_Image(expected);
  for (int r = 0; r <= 495; ++r)
    for (int c = 0; c <= 15; ++c)
      ASSERT_EQ(d.Mem_Image(r, c), expected.Mem_Image(r, c)) << "row " << r << " col " << c;
  // Channels 7 up are empty; the first seven hold the factory channels.
  for (int c = 0; c <= 15; ++c) EXPECT_EQ(d.Mem_Image(7, c), kEmptyByte);
  EXPECT_NE(d.Mem_Image(0, 0), kEmptyByte);
  EXPECT_NE(d.Mem_Image(6, 0), kEmptyByte);
  // Rows past 495 and the columns past 15 are no radio bytes and stay 0.
  for (int r = 496; r <= 600; ++r)
    for (int c = 0; c <= 50; ++c) ASSERT_EQ(d.Mem_Image(r, c), 0) << "row " << r;
  for (int r = 0; r <= 495; ++r)
    for (int c = 16; c <= 50; ++c) ASSERT_EQ(d.Mem_Image(r, c), 0) << "row " << r;

  Init_Adj_Default(expected);
  for (int r = 0; r <= 15; ++r)
    for (int c = 0; c <= 15; ++c) EXPECT_EQ(d.Adj_Value(r, c), expected.Adj_Default(r, c));
}

TEST_F(StartUp, PanelWidthsAreSharesOfTheScreenWidth) {
  platform.setScreen(20000, 12000);
  MDImain& m = start();
  const std::array<double, 11> share = {5, 15, 5, 6, 6, 6, 10, 10, 10, 1, 24};
  double total = 0;
  for (int n = 1; n <= 11; ++n) {
    EXPECT_DOUBLE_EQ(m.StatusBar1.panel(n).width(), share[n - 1] * 200) << "panel " << n;
    total += m.StatusBar1.panel(n).width();
  }
  EXPECT_DOUBLE_EQ(total, 0.98 * 20000);
  EXPECT_EQ(m.width(), 20000);
  EXPECT_EQ(m.height(), 12000);
}

// Texts that need more than the whole bar all give way alike: the bar keeps its width.
TEST_F(StartUp, PanelsThatCannotAllWidenShareTheBarsWidth) {
  platform.setScreen(15360, 11520);
  MDImain& m = start();
  for (int n = 1; n <= 11; ++n) program.Set_Panel(n, std::string(60, 'W'));
  double total = 0;
  for (int n = 1; n <= 11; ++n) {
    EXPECT_DOUBLE_EQ(m.StatusBar1.panel(n).width(), m.StatusBar1.panel(1).width()) << n;
    total += m.StatusBar1.panel(n).width();
  }
  EXPECT_DOUBLE_EQ(total, 0.98 * 15360);
}

TEST_F(StartUp, AdvisesTheScreenModeOnlyOnASmallScreen) {
  struct Case {
    double width, height;
    bool advice;
  };
  for (const Case& c :
       {Case{12000, 9000, true}, Case{15360, 11520, false}, Case{15300, 11500, false},
        Case{15299, 20000, true}, Case{20000, 11499, true}}) {
    kit::HeadlessPlatform p;
    p.setScreen(c.width, c.height);
    Program prog(p);
    bool shownFirst = false;
    std::string portPanel = "?";
    p.onMessageBox = [&](const kit::MessageBoxRecord&) {
      shownFirst = prog.MDImain->shown();
      portPanel = prog.Panel(3);
    };
    prog.MDImain.load();
    p.runUntilIdle();
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    if (!c.advice) {
      EXPECT_TRUE(p.messageBoxes().empty());
      continue;
    }
    ASSERT_EQ(p.messageBoxes().size(), 1u);
    const kit::MessageBoxRecord& box = p.messageBoxes()[0];
    EXPECT_EQ(box.text, "建议将计算机的显示模式设置为 1024 X 768 ");
    EXPECT_EQ(box.title, "操作提示");
    EXPECT_EQ(box.icon, kit::MsgIcon::Exclamation);
    // The window is on screen already, and the ports are not probed yet.
    EXPECT_TRUE(shownFirst);
    EXPECT_EQ(portPanel, "");
    EXPECT_EQ(prog.Panel(3), "COM1");
  }
}

TEST_F(StartUp, ProbeKeepsTheHighestPortAndNeverTriesLowerOnes) {
  PortWatch& com3 = com[3];
  PortWatch& com7 = com[7];
  platform.attachDevice(3, com3);
  platform.attachDevice(7, com7);
  MDImain& m = start();

  EXPECT_EQ(program.data.Comm_Port, 7);
  EXPECT_EQ(program.data.Port_Error, kFalse);
  EXPECT_EQ(panel(3), "COM7");
  EXPECT_EQ(panel(2), "正在与对讲机进行连接...");
  EXPECT_EQ(com3.opens, 0);
  // Opened by the probe, closed, and taken over again for the identification.
  EXPECT_EQ(com7.opens, 2);
  EXPECT_EQ(com7.closes, 1);
  EXPECT_TRUE(m.MSC.portOpen());
  EXPECT_EQ(m.MSC.commPort(), 7);
  EXPECT_EQ(m.MSC.settings(), "9600,N,8,1");
  // Start-up still completes.
  EXPECT_TRUE(program.frm_chann.loaded());
  EXPECT_EQ(program.data.Chann_Total, 128);
}

TEST_F(StartUp, PortSixteenIsNeverProbed) {
  PortWatch& com16 = com[16];
  platform.attachDevice(16, com16);
  start();
  EXPECT_EQ(com16.opens, 0);
  EXPECT_EQ(program.data.Comm_Port, 1);
  EXPECT_EQ(panel(3), "COM1");
  EXPECT_EQ(panel(2), "");
}

// A port that the probe opened but that is gone when the identification
// wants it again: the program goes on and reports a failed identification.
TEST_F(StartUp, PortLostBeforeTheIdentificationCountsAsAFailedOne) {
  PortWatch& com5 = com[5];
  com5.onClosed = [&] { platform.removePort(5); };
  platform.attachDevice(5, com5);
  MDImain& m = start();

  ASSERT_TRUE(program.MDImain.loaded());
  EXPECT_EQ(panel(2), "联机故障 ！");
  EXPECT_EQ(panel(3), "COM5");
  EXPECT_EQ(program.data.Port_Error, kTrue);
  EXPECT_FALSE(m.MSC.portOpen());
  EXPECT_TRUE(platform.messageBoxes().empty());
  // Steps after the identification still ran.
  EXPECT_TRUE(program.frm_chann.loaded());
  EXPECT_NE(program.data.Mem_Image(0, 0), kEmptyByte);
  EXPECT_EQ(program.data.Adj_Value(0, 0), program.data.Adj_Default(0, 0));
}

}  // namespace
}  // namespace j5::test
