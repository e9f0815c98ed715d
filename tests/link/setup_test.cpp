// The port window against the simulated radio.
#include <gtest/gtest.h>

#include "link/Form_setup.h"
#include "link_fixture.h"

namespace j5test {
namespace {

using sim::FrameKind;

struct Setup : Link_Fixture {
  Setup() {
    radio.config().identForm = sim::IdentForm::Ident8;
    data.Comm_Port = 3;
    device.attach(platform, 3);
    platform.addPort(1);
    for (int n : {3, 9}) program.Set_Panel(n, "x");
  }
  j5::Form_setup& open() { return program.Form_setup.load(); }
};

TEST_F(Setup, EightByteIdentificationSetsTwoBands) {
  auto& w = open();
  EXPECT_EQ(w.caption(), "通讯端口设置");
  EXPECT_EQ(w.Option_Port[2].caption(), "COM 3");
  EXPECT_EQ(w.Option_Port[15].caption(), "COM 16");
  EXPECT_TRUE(w.Option_Port[2].value());
  EXPECT_EQ(data.Win_Setup, j5::kTrue);
  d.click(w.Command_ok);
  EXPECT_EQ(program.Panel(3), "COM3");
  EXPECT_EQ(program.Panel(7), "");
  ASSERT_TRUE(d.advanceUntil([&] { return !program.Panel(7).empty(); }, 100));
  const double identifiedAt = platform.nowMs();
  EXPECT_EQ(program.Panel(7), "VHF: 136-- 174 MHZ");
  EXPECT_EQ(program.Panel(8), "UHF: 400-- 520 MHZ");
  EXPECT_EQ(program.Panel(9), "x");
  EXPECT_EQ(program.Panel(2), "与对讲机连接正常");
  EXPECT_EQ(data.Band_A_Low, 136);
  EXPECT_EQ(data.Band_B_High, 520);
  EXPECT_EQ(data.VHF_Low, 136);
  EXPECT_EQ(data.VHF_High, 174);
  EXPECT_EQ(data.UHF0_Low, 400);
  EXPECT_EQ(data.UHF0_High, 520);
  EXPECT_EQ(data.UHF1_Low, 400);                 // untouched
  EXPECT_TRUE(toRadio(FrameKind::Ack).empty());  // not acknowledged
  // The window closes 50 ms after the identification.
  d.advance(identifiedAt + 48 - platform.nowMs());
  EXPECT_TRUE(program.Form_setup.loaded());
  d.advance(2);
  EXPECT_FALSE(program.Form_setup.loaded());
  EXPECT_EQ(data.Win_Setup, j5::kFalse);
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(Setup, ChoosesAnotherPortAndDecodesOddBytes) {
  // Bytes 1 to 6 of the identification as no proper radio sends them: a nibble above 9, a second
  // band below 100 MHz, a whole byte of hundreds above 1. They count with their weights.
  Sim_Device odd;
  odd.radio.config().identForm = sim::IdentForm::Ident8;
  const std::uint8_t bands[] = {0x12, 0x3A, 0x00, 0x99, 0x02, 0xFF};
  int at = -1;  // position in the identification frame
  odd.rewrite = [&](std::uint8_t b) -> std::uint8_t {
    if (at >= 0 && at < 6) return bands[at++];
    if (at < 0 && b == sim::kIdentStart) at = 0;
    return b;
  };
  odd.attach(platform, 5);
  auto& w = open();
  d.click(w.Option_Port[4]);
  d.click(w.Command_ok);
  EXPECT_EQ(data.Comm_Port, 5);
  EXPECT_EQ(program.Panel(3), "COM5");
  ASSERT_TRUE(d.advanceUntil([&] { return !program.Panel(7).empty(); }, 100));
  EXPECT_EQ(at, 6);
  EXPECT_EQ(program.Panel(7), "VHF: 112-- 140 MHZ");
  EXPECT_EQ(program.Panel(8), "UHF: 99-- 365 MHZ");
  EXPECT_EQ(data.VHF_Low, 112);
  EXPECT_EQ(data.VHF_High, 140);
  EXPECT_EQ(data.UHF0_Low, 99);
  EXPECT_EQ(data.UHF0_High, 365);
  EXPECT_EQ(data.Band_A_Low, 112);
  EXPECT_EQ(data.Band_B_High, 365);
  EXPECT_EQ(odd.opens, 1);
  EXPECT_TRUE(radio.log().empty());  // COM3's radio heard nothing
  d.advance(100);
  EXPECT_FALSE(program.Form_setup.loaded());
}

// The radio answers with the start-up's 14-byte identification (the simulator that scripts/run
// starts does): the window takes all three bands from it, as the start-up does, and closes.
TEST_F(Setup, FourteenByteIdentificationSetsThreeBands) {
  radio.config().identForm = sim::IdentForm::Ident14;
  auto& w = open();
  d.click(w.Command_ok);
  ASSERT_TRUE(d.advanceUntil([&] { return !program.Panel(7).empty(); }, 100));
  EXPECT_EQ(program.Panel(2), "与对讲机连接正常");
  EXPECT_EQ(program.Panel(7), "VHF: 136-- 174 MHZ");
  EXPECT_EQ(program.Panel(8), "UHF0: 400-- 520 MHZ");
  EXPECT_EQ(program.Panel(9), "UHF1: 220-- 260 MHZ");
  EXPECT_EQ((std::vector<double>{data.VHF_Low, data.VHF_High, data.UHF0_Low, data.UHF0_High,
                                 data.UHF1_Low, data.UHF1_High}),
            (std::vector<double>{136, 174, 400, 520, 220, 260}));
  EXPECT_TRUE(toRadio(FrameKind::Ack).empty());
  d.advance(100);
  EXPECT_FALSE(program.Form_setup.loaded());
  EXPECT_TRUE(d.messageBoxes().empty());
}

// Neither form: eight bytes whose last is not the end mark, and whose fourteenth is not either.
TEST_F(Setup, AnIdentificationOfNeitherFormIsNotAccepted) {
  radio.config().identForm = sim::IdentForm::Ident14;
  int at = -1;
  device.rewrite = [&](std::uint8_t b) -> std::uint8_t {
    if (at < 0 && b == sim::kIdentStart) at = 0;
    return at >= 0 && at++ == 13 ? 0x00 : b;
  };
  auto& w = open();
  d.click(w.Command_ok);
  d.advance(1500);
  EXPECT_EQ(program.Panel(2), "联机故障 ！");
  EXPECT_EQ(program.Panel(7), "");
  EXPECT_EQ(program.Panel(8), "");
  EXPECT_EQ(data.VHF_Low, 130);
  EXPECT_FALSE(program.Form_setup->Link.MSC.portOpen());
  ASSERT_TRUE(program.Form_setup.loaded());
  d.advance(1000);
  EXPECT_FALSE(program.Form_setup.loaded());
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST_F(Setup, OkAgainDuringTheExchangeIsIgnored) {
  radio.inject({.answering = {}, .count = sim::Fault::kAlways});  // silent: the window stays 2 s
  auto& w = open();
  d.click(w.Command_ok);
  d.advance(5);
  d.click(w.Command_ok);
  d.advance(1200);
  d.click(w.Command_ok);
  EXPECT_TRUE(d.messageBoxes().empty());
  EXPECT_EQ(toRadio(FrameKind::AccessCode).size(), 1u);
  d.advance(1000);
  EXPECT_FALSE(program.Form_setup.loaded());
}

TEST_F(Setup, PortThatDoesNotExist) {
  data.Lang_Chn = j5::kFalse;
  auto& w = open();
  EXPECT_EQ(w.Command_ok.caption(), "Confirm");
  d.click(w.Option_Port[11]);
  d.click(w.Command_ok);
  EXPECT_EQ(d.lastMessageBox().text,
            "Communication port is error, please setting right communication port . ！");
  EXPECT_EQ(d.lastMessageBox().title, "Operate prompt");
  EXPECT_FALSE(program.Form_setup.loaded());
  EXPECT_EQ(data.Comm_Port, 12);
  EXPECT_EQ(program.Panel(3), "COM12");
  EXPECT_EQ(program.Panel(2), "");
}

TEST_F(Setup, PortHeldByAnotherWindow) {
  auto& w = open();
  kit::FormSlot<kit::Form> other{[this] { return std::make_unique<kit::Form>(platform, "Other"); }};
  kit::Form& o = other.load();
  kit::SerialPort msc(o, "MSC");
  msc.setCommPort(3);
  msc.setPortOpen(true);
  d.click(w.Command_ok);
  EXPECT_EQ(d.lastMessageBox().text, "通讯端口打开错误，请正确设置通讯端口 ！");
  EXPECT_FALSE(program.Form_setup.loaded());
  msc.setPortOpen(false);
}

TEST_F(Setup, CancelAbandonsTheExchange) {
  auto& w = open();
  d.click(w.Command_ok);
  d.advance(3);
  d.click(w.Command1);
  EXPECT_FALSE(program.Form_setup.loaded());
  d.advance(3000);
  EXPECT_EQ(program.Panel(2), "");
  EXPECT_EQ(program.Panel(7), "");
}

}  // namespace
}  // namespace j5test
