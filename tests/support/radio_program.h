#pragma once
// The program on the headless platform with its main window up and the start-up exchange over,
// the simulated radio on COM1 answering in the identification form a window's opening expects
// (or nothing on the line), in the language asked for: where the tests of a window start.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "data/lang_text.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/driver.h"
#include "support/sim_device.h"

namespace j5test {

// The program and the radio, for fixtures that are objects of a test (or of several in a loop).
struct Program_On_Line {
  kit::HeadlessPlatform platform;
  Sim_Device device;
  sim::Radio& radio = device.radio;
  j5::Program program{platform};
  j5::SharedData& data = program.data;
  kit::Driver d{platform};

  // No form: nothing answers on the line.
  Program_On_Line(std::optional<sim::IdentForm> form, bool chinese) {
    if (form) {
      radio.config().identForm = *form;
      device.attach(platform, 1);
    }
    program.MDImain.load();
    program.MDImain->move(0, 0, 15360, 11520);
    d.advance(5000);  // the start-up exchange is over
    if (form) data.Comm_Port = 1;
    set_language(chinese);
    radio.clearLog();
    d.clearMessageBoxes();
  }
  void set_language(bool chinese) {
    data.Lang_Chn = chinese ? j5::kTrue : j5::kFalse;
    j5::Set_Lang_Text(data);
  }
  // The frames of one kind the radio heard, in order.
  std::vector<sim::LogEntry> toRadio(sim::FrameKind kind) const {
    return j5test::To_Radio(radio, kind);
  }
  std::vector<std::string> box_texts() const {
    std::vector<std::string> out;
    for (const auto& b : d.messageBoxes()) out.push_back(b.text);
    return out;
  }
};

struct Radio_Program : ::testing::Test, Program_On_Line {
  Radio_Program(std::optional<sim::IdentForm> form, bool chinese)
      : Program_On_Line(form, chinese) {}
};

}  // namespace j5test
