#pragma once
// A program on the headless platform with its main window started, and a
// serial device that only notes when the program opens and closes its port.

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/driver.h"

namespace j5::test {

struct PortWatch : kit::SerialDevice {
  int opens = 0, closes = 0;
  std::function<void()> onClosed;
  void receive(std::uint8_t, double, kit::SerialDeviceLink&) override {}
  void opened(double) override { ++opens; }
  void closed(double) override {
    ++closes;
    if (onClosed) onClosed();
  }
};

class MainWindowTest : public ::testing::Test {
 protected:
  kit::HeadlessPlatform platform;
  // Devices that tests attach to ports; they outlive the program, which
  // closes its ports when it goes.
  std::array<PortWatch, 17> com;
  Program program{platform};
  kit::Driver drive{platform};

  MDImain& start() {
    program.MDImain.load();
    platform.runUntilIdle();
    return *program.MDImain;
  }
  MDImain& main() { return *program.MDImain; }
  std::string panel(int n) const { return program.Panel(n); }
};

}  // namespace j5::test
