#pragma once
// The program on the headless platform after its start-up, with the DTMF window opened from the
// Edit menu as a user opens it, and the record's bytes to read and set.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/defaults.h"
#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/driver.h"

namespace j5::dtmf_test {

struct DtmfFixture {
  kit::HeadlessPlatform platform;
  Program program{platform};
  kit::Driver driver{platform};
  SharedData& data = program.data;
  frm_dtmf* w = nullptr;

  // `com1`, when given, answers on COM1 from the start (the start-up exchange is over when the
  // fixture is ready).
  explicit DtmfFixture(bool chinese = false, kit::SerialDevice* com1 = nullptr) {
    if (com1) platform.attachDevice(1, *com1);
    program.MDImain.load();
    program.MDImain->move(0, 0, 15360, 11520);
    driver.advance(5000);
    driver.clearMessageBoxes();
    data.Lang_Chn = chinese ? kTrue : kFalse;
    Init_Factory_Image(data);
  }

  frm_dtmf& open() {
    driver.click(program.MDImain->Dtmf_edit);
    w = program.frm_dtmf.get();
    return *w;
  }

  std::vector<int> bytes(int row, int first = 0, int last = 15) const {
    std::vector<int> out;
    for (int k = first; k <= last; ++k) out.push_back(data.Mem_Image(row, k));
    return out;
  }
  void set(int row, int first, const std::vector<int>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      data.Mem_Image(row, first + static_cast<int>(i)) = static_cast<std::int16_t>(values[i]);
  }
  // The window shows the image afresh, as when the user comes back to it.
  void redisplay() {
    driver.activate(program.frm_chann.load());
    driver.activate(*w);
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& m : driver.messageBoxes()) out.push_back(m.text);
    return out;
  }
};

}  // namespace j5::dtmf_test
