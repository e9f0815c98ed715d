#pragma once
// The program on the headless platform with the main window up, the simulated radio on COM1
// answering the copies' opening, and an option window copy opened the way a test must (nothing in
// the program opens one).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/lang_text.h"
#include "editors/option_copies/option_copy_window.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/driver.h"
#include "support/sim_device.h"

namespace j5::copy_test {

struct Copy_Fixture : ::testing::Test {
  kit::HeadlessPlatform platform;
  j5test::Sim_Device device;
  sim::Radio& radio = device.radio;
  Program program{platform};
  SharedData& data = program.data;
  kit::Driver d{platform};
  kit::FormSlot<frm_Adj_Tune> tune_slot{[this] { return std::make_unique<frm_Adj_Tune>(program); }};
  kit::FormSlot<frm_Adj_Mod> mod_slot{[this] { return std::make_unique<frm_Adj_Mod>(program); }};

  explicit Copy_Fixture(bool chinese = false) {
    radio.config().identForm = sim::IdentForm::Ident8Dec;
    device.attach(platform, 1);
    program.MDImain.load();
    program.MDImain->move(0, 0, 15360, 11520);
    d.advance(5000);  // the start-up exchange is over
    data.Comm_Port = 1;
    data.VHF_Low = 130;
    data.VHF_High = 179;
    set_language(chinese);
    radio.clearLog();
    d.clearMessageBoxes();
  }
  void set_language(bool chinese) {
    data.Lang_Chn = chinese ? kTrue : kFalse;
    Set_Lang_Text(data);
  }

  frm_Adj_Tune& tune() {
    auto& w = tune_slot.load();
    d.runUntilIdle();
    return w;
  }
  frm_Adj_Mod& mod() {
    auto& w = mod_slot.load();
    d.runUntilIdle();
    return w;
  }

  std::vector<std::string> box_texts() const {
    std::vector<std::string> out;
    for (const auto& b : d.messageBoxes()) out.push_back(b.text);
    return out;
  }
  static std::vector<int> row(const CopyImage& image, int r) {
    std::vector<int> out;
    for (std::size_t c = 0; c < 16; ++c) out.push_back(image(static_cast<std::size_t>(r), c));
    return out;
  }
  static void put(CopyImage& image, int byte, std::initializer_list<int> values) {
    for (int v : values) {
      image(static_cast<std::size_t>(byte / 16), static_cast<std::size_t>(byte % 16)) =
          static_cast<std::int16_t>(v);
      ++byte;
    }
  }
  // Types a text into a box and leaves it for another control.
  void enter_text(kit::TextBox& box, const std::string& text, kit::Control& next) {
    d.focus(box);
    d.selectAll();
    if (text.empty())
      d.del();
    else
      d.type(text);
    d.focus(next);
  }
};

}  // namespace j5::copy_test
