// The start-up identification on a small host window, and the band limit pair.
#include "link/startup_ident.h"

#include <gtest/gtest.h>

#include "link/Form_Comm_Read.h"
#include "link/Form_setup.h"
#include "link/ident_frames.h"
#include "link_fixture.h"

namespace j5test {
namespace {

using sim::FrameKind;
using sim::Misbehaviour;

TEST(Band_Limit_Pair, HundredsThenTwoDigits) {
  struct Case {
    std::uint8_t h, t;
    int mhz;
  };
  for (const Case& c : {Case{0x01, 0x36, 136}, Case{0x04, 0x00, 400}, Case{0x01, 0x3A, 140},
                        Case{0x00, 0x99, 99}, Case{0x05, 0xFF, 665}})
    EXPECT_EQ(j5::Band_Limit_Pair(c.h, c.t), c.mhz) << int(c.h) << " " << int(c.t);
  EXPECT_EQ(j5::Ident_Band_Text("VHF:", 136, 174), "VHF: 136-- 174 MHZ");
}

// A band the radio gives high-first is kept low-first for the frequency-mode bands, so where a
// window keeps the upper limit one above the radio's, it is the band's upper end that is raised;
// the status bar shows the limits as the radio gave them.
using Identifications = Link_Fixture;

TEST_F(Identifications, KeepTheFrequencyModeBandsLowFirst) {
  const sim::BandLimits highFirst{174, 136, 480, 400, 260, 220};
  const struct {
    sim::IdentForm form;
    void (*store)(j5::Program&, const j5::Ident_Frame&);
    double a[2], b[2], vhf[2];
    int panel;
    const char* shown;
  } cases[] = {
      {sim::IdentForm::Ident8,
       j5::Store_Ident8,
       {136, 174},
       {400, 480},
       {136, 174},
       7,
       "VHF: 174-- 136 MHZ"},
      {sim::IdentForm::Ident8Dec,
       j5::Store_Ident8_Dec,
       {136, 175},
       {136, 175},
       {136, 175},
       8,
       " 174-- 136 MHZ"},
      {sim::IdentForm::Ident50,
       j5::Store_Ident50,
       {136, 175},
       {400, 481},
       {136, 175},
       10,
       "480--400 MHZ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.form));
    j5::Ident_Frame frame{};
    const std::vector<std::uint8_t> bytes = sim::identFrame(c.form, highFirst);
    std::copy(bytes.begin(), bytes.end(), frame.bytes.begin());
    c.store(program, frame);
    EXPECT_EQ((std::vector<double>{data.Band_A_Low, data.Band_A_High}),
              (std::vector<double>{c.a[0], c.a[1]}));
    EXPECT_EQ((std::vector<double>{data.Band_B_Low, data.Band_B_High}),
              (std::vector<double>{c.b[0], c.b[1]}));
    EXPECT_EQ((std::vector<double>{data.VHF_Low, data.VHF_High}),
              (std::vector<double>{c.vhf[0], c.vhf[1]}));
    EXPECT_EQ(program.Panel(c.panel), c.shown);
  }
}

class Host : public kit::Form {
 public:
  explicit Host(j5::Program& p) : kit::Form(p.platform, "Host", p.Main_Form()), Ident(*this, p) {}
  j5::Startup_Ident Ident;
};

struct StartupIdent : Link_Fixture {
  kit::FormSlot<Host> slot{[this] { return std::make_unique<Host>(program); }};
  Host& host = slot.load();

  // What the main window's start-up does when its probe found the port.
  void Start() {
    host.Ident.Open_Port();
    ASSERT_EQ(data.Port_Error, 0);
    host.Ident.Link.Close_Port();
    program.Set_Panel(2, "正在与对讲机进行连接...");
    host.Ident.Link_Start();
  }
};

TEST_F(StartupIdent, RadioAnswers) {
  Start();
  d.advance(200);
  EXPECT_EQ(program.Panel(2), "与对讲机连接正常");
  EXPECT_EQ(program.Panel(7), "VHF: 136-- 174 MHZ");
  EXPECT_EQ(program.Panel(8), "UHF0: 400-- 520 MHZ");
  EXPECT_EQ(program.Panel(9), "UHF1: 220-- 260 MHZ");
  EXPECT_EQ(data.VHF_Low, 136);
  EXPECT_EQ(data.UHF1_High, 260);
  EXPECT_FALSE(host.Ident.Link.MSC.portOpen());
  // Seven code bytes and STX; the identification is not acknowledged.
  EXPECT_EQ(sentBytes().size(), 8u);
  d.advance(5000);
  EXPECT_EQ(program.Panel(2), "与对讲机连接正常");
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(StartupIdent, LanguageInForceWhenTheAnswerComes) {
  Start();
  data.Lang_Chn = j5::kFalse;
  d.advance(200);
  EXPECT_EQ(program.Panel(2), "Connect well with radio.");
}

struct Silent : kit::SerialDevice {
  void receive(std::uint8_t, double, kit::SerialDeviceLink&) override {}
};

TEST_F(StartupIdent, NoRadioOrNoAcceptableAnswer) {
  for (int variant = 0; variant < 3; ++variant) {
    Silent silent;
    if (variant == 0) platform.attachDevice(1, silent);
    if (variant == 1) radio.inject({Misbehaviour::ShortFrame, FrameKind::Stx});
    if (variant == 2) radio.inject({Misbehaviour::OtherIdent, FrameKind::Stx});
    Start();
    ASSERT_TRUE(
        d.advanceUntil([&] { return program.Panel(2) != "正在与对讲机进行连接..."; }, 5000));
    EXPECT_EQ(program.Panel(2), "联机故障 ！") << variant;
    // About two seconds after the last byte sent.
    EXPECT_NEAR(platform.nowMs() - platform.sent(1).back().atMs, 2000, 3) << variant;
    EXPECT_EQ(program.Panel(7), "") << variant;
    EXPECT_EQ(data.VHF_Low, 130);
    EXPECT_EQ(data.UHF1_High, 520);
    EXPECT_FALSE(host.Ident.Link.MSC.portOpen());
    EXPECT_TRUE(d.messageBoxes().empty());
    device.attach(platform, 1);
    radio.clearFaults();
  }
}

TEST_F(StartupIdent, PortThatNoLongerOpensIsAFailedIdentification) {
  host.Ident.Open_Port();
  host.Ident.Link.Close_Port();
  platform.removePort(1);
  host.Ident.Link_Start();
  EXPECT_TRUE(slot.loaded());
  EXPECT_EQ(program.Panel(2), "联机故障 ！");
  EXPECT_TRUE(d.messageBoxes().empty());
}

}  // namespace
}  // namespace j5test

namespace j5test {
namespace {

// The main window's start-up, with a radio on the port its probe finds and without one.
struct MainWindowStartUp : ::testing::Test {
  kit::HeadlessPlatform platform;
  Sim_Device device;
  j5::Program program{platform};
  kit::Driver d{platform};
  std::vector<std::string> bandPanels() const {
    return {program.Panel(7), program.Panel(8), program.Panel(9)};
  }
};

TEST_F(MainWindowStartUp, IdentifiesTheRadio) {
  device.attach(platform, 4);
  program.MDImain.load();
  EXPECT_EQ(program.data.Comm_Port, 4);
  EXPECT_EQ(program.Panel(2), "正在与对讲机进行连接...");
  d.advance(200);
  EXPECT_EQ(program.Panel(2), "与对讲机连接正常");
  EXPECT_EQ(bandPanels(), (std::vector<std::string>{"VHF: 136-- 174 MHZ", "UHF0: 400-- 520 MHZ",
                                                    "UHF1: 220-- 260 MHZ"}));
  EXPECT_EQ(program.data.VHF_Low, 136);
  EXPECT_EQ(program.data.UHF1_High, 260);
  EXPECT_FALSE(program.MDImain->MSC.portOpen());
  // Seven code bytes and STX; the identification is not acknowledged.
  EXPECT_EQ(platform.sent(4).size(), 8u);
  d.advance(5000);
  EXPECT_EQ(program.Panel(2), "与对讲机连接正常");
  EXPECT_TRUE(d.messageBoxes().empty());
  // The port is free again for the windows that open it later.
  auto& setup = program.Form_setup.load();
  d.click(setup.Command_ok);
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(MainWindowStartUp, WithoutARadio) {
  platform.addPort(4);
  program.MDImain.load();
  const auto bands = bandPanels();
  EXPECT_EQ(program.Panel(2), "正在与对讲机进行连接...");
  // While the identification holds the port, another window cannot open it.
  auto& read = program.Form_Comm_Read.load();
  d.click(read.Command_read);
  EXPECT_EQ(d.lastMessageBox().text, "通讯端口打开错误，请正确设置通讯端口 ！");
  d.clearMessageBoxes();
  ASSERT_TRUE(d.advanceUntil([&] { return program.Panel(2) != "正在与对讲机进行连接..."; }, 5000));
  EXPECT_EQ(program.Panel(2), "联机故障 ！");
  EXPECT_NEAR(platform.nowMs() - platform.sent(4).back().atMs, 2000, 3);
  EXPECT_EQ(bandPanels(), bands);
  EXPECT_EQ(program.data.VHF_Low, 130);
  EXPECT_EQ(program.data.UHF1_High, 520);
  EXPECT_FALSE(program.MDImain->MSC.portOpen());
  EXPECT_TRUE(d.messageBoxes().empty());
}

}  // namespace
}  // namespace j5test
