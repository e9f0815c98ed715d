// How a window is written against the kit and driven by a test: a text box,
// a button, a timer and a serial control.
#include <gtest/gtest.h>

#include "platform/kit.h"
#include "support/driver.h"

namespace example {

class Form_Ping : public kit::Form {
 public:
  explicit Form_Ping(kit::Platform& p) : Form(p, "Form_Ping") {
    Load = [this] { Form_Load(); };
    Text_Data.KeyPress = [this](int& key) { Text_Data_KeyPress(key); };
    Command_send.Click = [this] { Command_send_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    MSC.OnComm = [this] { MSC_OnComm(); };
  }
  kit::TextBox Text_Data{*this, "Text_Data"};
  kit::CommandButton Command_send{*this, "Command_send"};
  kit::Label Label_reply{*this, "Label_reply"};
  kit::Timer Timer1{*this, "Timer1"};
  kit::SerialPort MSC{*this, "MSC"};

 private:
  void Form_Load() {
    setCaption("Ping");
    setClientSize(3000, 1200);
    Text_Data.move(120, 120, 1500, 285);
    Command_send.move(1800, 120, 975, 495);
    Command_send.setCaption("&Send");
    show();
  }
  void Text_Data_KeyPress(int& key) {
    if (key >= 'a' && key <= 'z') key -= 32;  // upper case only
  }
  void Command_send_Click() {
    try {
      MSC.setCommPort(1);
      MSC.setSettings("9600,N,8,1");
      MSC.setInputLen(0);
      MSC.setRThreshold(1);
      MSC.setPortOpen(true);
    } catch (const kit::PortError&) {
      platform().messageBox("Communication port is error", "Operate prompt",
                            kit::MsgIcon::Exclamation);
      return;
    }
    const std::string& t = Text_Data.text();
    MSC.output(std::vector<std::uint8_t>(t.begin(), t.end()));
    Timer1.setInterval(1000);  // no-reply time-out
  }
  void Timer1_Timer() {
    Timer1.setEnabled(false);
    MSC.setPortOpen(false);
    Label_reply.setCaption("no reply");
  }
  void MSC_OnComm() {
    if (MSC.commEvent() != kit::SerialPort::kEvReceive) return;
    const auto bytes = MSC.input();
    Label_reply.setCaption(Label_reply.caption() + std::string(bytes.begin(), bytes.end()));
    if (Label_reply.caption().size() == Text_Data.text().size()) {
      Timer1.setEnabled(false);
      MSC.setPortOpen(false);
    }
  }
};

}  // namespace example

namespace {

struct Echo : kit::SerialDevice {
  void receive(std::uint8_t b, double atMs, kit::SerialDeviceLink& link) override {
    link.send({b}, atMs);
  }
};

struct Program {
  explicit Program(kit::Platform& p) : platform(p) {}
  kit::Platform& platform;
  // A slot carries its window's name; the type is qualified so the member
  // may have the same name.
  kit::FormSlot<example::Form_Ping> Form_Ping{
      [this] { return std::make_unique<example::Form_Ping>(platform); }};
};

TEST(ExampleWindow, TypedTextGoesOutAndTheEchoComesBackInWireTime) {
  Echo echo;
  kit::HeadlessPlatform platform;
  platform.attachDevice(1, echo);
  Program prog(platform);
  kit::Driver d(platform);
  auto& w = prog.Form_Ping.load();
  d.runUntilIdle();
  ASSERT_TRUE(w.Text_Data.hasFocus());
  d.type("ok1");
  d.accessKey(w, 's');
  EXPECT_TRUE(w.MSC.portOpen());
  d.advance(3 * kit::kByteMs9600);
  EXPECT_EQ(w.Label_reply.caption(), "OK");  // the last byte is still on its way back
  d.advance(kit::kByteMs9600);
  EXPECT_EQ(w.Label_reply.caption(), "OK1");
  EXPECT_FALSE(w.MSC.portOpen());
  EXPECT_TRUE(d.messageBoxes().empty());
}

TEST(ExampleWindow, NoPortMeansAMessageAndNoDeviceMeansATimeOut) {
  kit::HeadlessPlatform platform;
  Program prog(platform);
  kit::Driver d(platform);
  auto& w = prog.Form_Ping.load();
  d.click(w.Command_send);
  EXPECT_EQ(d.lastMessageBox().text, "Communication port is error");
  platform.addPort(1);  // a port with nothing on it
  d.click(w.Command_send);
  d.advance(999);
  EXPECT_EQ(w.Label_reply.caption(), "");
  d.advance(1);
  EXPECT_EQ(w.Label_reply.caption(), "no reply");
}

}  // namespace
