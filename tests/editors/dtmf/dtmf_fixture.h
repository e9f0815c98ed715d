#pragma once
// The program on the headless platform after its start-up (a radio on the line where asked), with
// the DTMF window opened from the Edit menu as a user opens it, and the record's bytes to read and
// set.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/defaults.h"
#include "editors/channels/frm_chann.h"
#include "editors/dtmf/frm_dtmf.h"
#include "support/radio_program.h"

namespace j5::dtmf_test {

struct DtmfFixture : j5test::Program_On_Line {
  frm_dtmf* w = nullptr;

  // `form`, when given, is how the radio on COM1 answers from the start.
  explicit DtmfFixture(bool chinese = false, std::optional<sim::IdentForm> form = std::nullopt)
      : Program_On_Line(form, chinese) {
    Init_Factory_Image(data);
  }

  frm_dtmf& open() {
    d.click(program.MDImain->Dtmf_edit);
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
    d.activate(program.frm_chann.load());
    d.activate(*w);
  }
};

}  // namespace j5::dtmf_test
