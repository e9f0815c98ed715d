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
  j5::Shared_Data& data = program.data;
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
  // Whether the radio holds `image`'s rows `rows` (row r at r * 16) as a write leaves them: a row
  // that begins with 0xFF (a short frame) in its first byte, every other row whole.
  ::testing::AssertionResult Radio_Holds(const j5::MemImage& image,
                                         const std::vector<int>& rows) const {
    for (int r : rows) {
      const auto row = static_cast<std::size_t>(r);
      const std::size_t n = image(row, 0) == 0xFF ? 1 : 16;
      for (std::size_t c = 0; c < n; ++c) {
        const int held = radio.memory().at(static_cast<std::uint16_t>(r * 16 + c));
        if (held != image(row, c))
          return ::testing::AssertionFailure()
                 << "row " << r << " byte " << c << ": the radio holds " << held << ", the image "
                 << image(row, c);
      }
    }
    return ::testing::AssertionSuccess();
  }
};

// Rows first to last.
inline std::vector<int> Row_Range(int first, int last) {
  std::vector<int> out;
  for (int r = first; r <= last; ++r) out.push_back(r);
  return out;
}

struct Radio_Program : ::testing::Test, Program_On_Line {
  Radio_Program(std::optional<sim::IdentForm> form, bool chinese)
      : Program_On_Line(form, chinese) {}
};

}  // namespace j5test
