#pragma once
// The program on the headless platform with the start-up image and the main
// window loaded, and the optional features window opened from it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/defaults.h"
#include "data/tables.h"
#include "editors/options/frm_option.h"
#include "support/radio_program.h"

namespace j5::opt_test {

struct Option_Fixture : j5test::Radio_Program {
  frm_option* w = nullptr;

  explicit Option_Fixture(bool chinese = false) : Radio_Program(std::nullopt, chinese) {
    data.VHF_Low = 130, data.VHF_High = 179;
    data.UHF0_Low = 240, data.UHF0_High = 260;
    data.UHF1_Low = 400, data.UHF1_High = 520;
    Init_Tone_Table(data);
    Init_Opt_Id(data);
    data.Chann_Total = 128;
    Init_Factory_Image(data);
  }

  frm_option& open() {
    w = &program.frm_option.load();
    d.runUntilIdle();
    return *w;
  }

  std::int16_t& opt(int n) { return data.Mem_Image(226 + n / 16, n % 16); }
  // Byte k of frequency-mode record side (0 A, 1 B).
  std::int16_t& vfo(int side, int k) { return data.Mem_Image(240 + 2 * side + k / 16, k % 16); }
  std::vector<int> vfoBytes(int side, int first, int last) {
    std::vector<int> out;
    for (int k = first; k <= last; ++k) out.push_back(vfo(side, k));
    return out;
  }
  void setVfo(int side, int first, const std::vector<int>& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
      vfo(side, first + static_cast<int>(i)) = static_cast<std::int16_t>(bytes[i]);
  }
  std::vector<int> pon(int first, int last) {
    std::vector<int> out;
    for (int k = first; k <= last; ++k) out.push_back(data.Mem_Image(246, k));
    return out;
  }
  // Types over a text box's text and leaves it with Tab.
  void enter(kit::Control& box, const std::string& text) {
    d.focus(box);
    d.selectAll();
    d.del();
    d.type(text);
    d.tab();
  }
};

}  // namespace j5::opt_test
