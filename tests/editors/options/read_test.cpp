// A whole read from the radio while the optional features window is open.
#include <gtest/gtest.h>

#include "data/tables.h"
#include "editors/options/frm_option.h"
#include "link/Form_Comm_Read.h"
#include "shell/MDImain.h"
#include "shell/program.h"
#include "support/radio_program.h"

namespace j5::opt_test {
namespace {

struct OptionRead : j5test::Radio_Program {
  OptionRead() : Radio_Program(sim::IdentForm::Ident14, false) {}
};

TEST_F(OptionRead, AWholeReadShowsOnTheNextActivation) {
  frm_option& w = program.frm_option.load();
  d.runUntilIdle();
  ASSERT_EQ(w.Combo_tot.text(), "60");

  auto put = [&](int address, std::initializer_list<int> bytes) {
    for (int b : bytes) radio.memory().set(static_cast<std::uint16_t>(address++), b);
  };
  put(0x0E20 + 11, {5});                  // time-out 90 s
  put(0x0F08, {1, 4, 5, 0, 1, 2, 5, 0});  // A: 145.01250
  put(0x0F16, {0x75, 0x03, 0x01, 0x00});  // A: 88.5 Hz, D023N
  put(0x0F1A, {0});                       // A: VHF
  put(0x0F60, {' ', ' ', 'H', 'I', ' ', ' ', ' '});

  Form_Comm_Read& r = program.Form_Comm_Read.load();
  d.runUntilIdle();
  d.click(r.Command_read);
  ASSERT_TRUE(
      d.advanceUntil([&] { return !r.Link.Link_Busy() && !d.messageBoxes().empty(); }, 20000));
  r.unload();
  d.runUntilIdle();
  d.activate(w);

  EXPECT_EQ(w.Combo_tot.text(), "90");
  EXPECT_EQ(w.Text_Freq_a.text(), "145.01250");
  EXPECT_EQ(w.Combo_r_ctdcs_a.text(), "88.5");
  EXPECT_EQ(w.Combo_t_ctdcs_a.text(), "D023N");
  EXPECT_EQ(w.Text_PON_MSG_U.text(), "HI");
  // The radio's identification gave VHF 136-174: side A's range follows it.
  EXPECT_EQ(data.Band_A_Low, 136);
  EXPECT_EQ(data.Band_A_High, 174);
  EXPECT_EQ(w.Text_Range_A.text(), "136 - 174.99750");
}

}  // namespace
}  // namespace j5::opt_test
