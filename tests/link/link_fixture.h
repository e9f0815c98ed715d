#pragma once
// The program with the simulated radio on COM1 answering the start-up's identification, for
// driving the link windows like a user.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "data/defaults.h"
#include "support/radio_program.h"

namespace j5test {

struct Link_Fixture : Radio_Program {
  std::size_t sentBefore = 0;

  Link_Fixture() : Radio_Program(sim::IdentForm::Ident14, true) {
    j5::Fill_Access_Code(data);
    data.VHF_Low = 130, data.VHF_High = 179, data.UHF0_Low = 240, data.UHF0_High = 260;
    data.UHF1_Low = 400, data.UHF1_High = 520;
    for (int n : {2, 7, 8, 9}) program.Set_Panel(n, "");
    sentBefore = platform.sent(1).size();
  }

  // Bytes written to COM1 since the fixture was set up.
  std::vector<std::uint8_t> sentBytes() const {
    std::vector<std::uint8_t> out;
    const auto& all = platform.sent(1);
    for (std::size_t i = sentBefore; i < all.size(); ++i) out.push_back(all[i].byte);
    return out;
  }
  // Runs press(), which makes the program close a busy transfer window (or switch the language
  // or exit under it); while the box that refuses is open, the user waits `wait` ms.
  void Wait_Under_Refused_Close(const std::function<void()>& press, double wait) {
    bool waited = false;
    platform.onMessageBox = [&](const kit::MessageBoxRecord& box) {
      const bool refusal = box.text.find("请勿关窗口") != std::string::npos ||
                           box.text.find("don't close") != std::string::npos ||
                           box.text.find("读写结束后才能") != std::string::npos ||
                           box.text.find("when it has ended") != std::string::npos;
      if (!refusal || waited) return;
      waited = true;
      platform.advance(wait);
    };
    press();
    platform.onMessageBox = nullptr;
    EXPECT_TRUE(waited);
  }
  // Every radio byte of 0x0000-0x17FF different from its neighbours, with 0x58 and 0x06 among them.
  void Fill_Radio_Pattern() {
    for (int a = 0; a < 0x1800; ++a)
      radio.memory().set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 + a / 256));
  }
};

}  // namespace j5test
