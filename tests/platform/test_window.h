// A small window with one control of each kind, whose handlers write what
// they see into a log, for the event-rule tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/kit.h"
#include "support/driver.h"
#include "support/event_log.h"

namespace kit_test {

using test::Log;

class TestWindow : public kit::Form {
 public:
  TestWindow(kit::Platform& p, Log& log, kit::MdiForm* parent = nullptr)
      : Form(p, "TestWindow", parent), log(log) {
    Text1.GotFocus = [this] { this->log("Text1.GotFocus"); };
    Text1.LostFocus = [this] { this->log("Text1.LostFocus"); };
    Text1.Change = [this] { this->log("Text1.Change:" + Text1.text()); };
    Text2.GotFocus = [this] { this->log("Text2.GotFocus"); };
    Text2.LostFocus = [this] { this->log("Text2.LostFocus"); };
    Combo1.Click = [this] { this->log("Combo1.Click:" + Combo1.text()); };
    Combo1.Change = [this] { this->log("Combo1.Change:" + Combo1.text()); };
    Combo1.GotFocus = [this] { this->log("Combo1.GotFocus"); };
    Combo1.LostFocus = [this] { this->log("Combo1.LostFocus"); };
    Check1.Click = [this] { this->log("Check1.Click:" + std::to_string(Check1.value())); };
    Command1.GotFocus = [this] { this->log("Command1.GotFocus"); };
    Command1.Click = [this] { this->log("Command1.Click"); };
    Load = [this] {
      this->log("Load");
      show();
    };
    Activate = [this] { this->log("Activate"); };
    Unload = [this](int& cancel) {
      this->log("Unload");
      cancel = cancelUnload;
    };
    for (kit::Control* c : std::vector<kit::Control*>{&Text1, &Text2, &Combo1, &Check1, &Command1})
      c->move(120, 120, 1200, 300);
  }

  Log& log;
  int cancelUnload = 0;
  kit::TextBox Text1{*this, "Text1"};
  kit::TextBox Text2{*this, "Text2"};
  kit::ComboBox Combo1{*this, "Combo1"};
  kit::CheckBox Check1{*this, "Check1"};
  kit::CommandButton Command1{*this, "Command1"};
  kit::Timer Timer1{*this, "Timer1"};
  kit::Timer Timer2{*this, "Timer2"};
  kit::Grid MSF_Grid{*this, "MSF_Grid"};
  kit::SerialPort MSC{*this, "MSC"};
  // Holds nothing unless a test puts a control in it.
  kit::Frame Frame1{*this, "Frame1"};
};

// The platform, a slot for the window and the driver.
struct Fixture {
  kit::HeadlessPlatform platform;
  Log log;
  kit::FormSlot<TestWindow> slot{[this] { return std::make_unique<TestWindow>(platform, log); }};
  kit::Driver driver{platform};

  TestWindow& open() {
    TestWindow& w = slot.load();
    platform.runUntilIdle();
    log.clear();
    return w;
  }
};

}  // namespace kit_test
