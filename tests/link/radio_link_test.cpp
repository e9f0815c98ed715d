// The link component on its own: the opening with the whole eight-byte access code, as the
// password window and the editors' own transfers send it (its eighth byte is STX, which the
// radio answers with its identification while the first seven are still being acknowledged).
#include "link/radio_link.h"

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace j5test {
namespace {

class Host : public kit::Form {
 public:
  Host(j5::Program& p, j5::Link_Setup setup)
      : kit::Form(p.platform, "Host"), Link(*this, p, setup) {
    Link.Block_Phase = [this] { ++blockPhases; };
  }
  j5::Radio_Link Link;
  int blockPhases = 0;
};

struct EightByteCode : Link_Fixture, ::testing::WithParamInterface<double> {};

TEST_P(EightByteCode, FullOpeningReachesTheBlockPhase) {
  radio.config().identForm = sim::IdentForm::Ident8;
  j5::Link_Setup setup{.code_len = 8, .ident_len = 8, .byte_pause_ms = GetParam()};
  kit::FormSlot<Host> slot{[&] { return std::make_unique<Host>(program, setup); }};
  Host& host = slot.load();
  host.Link.Open_Port();
  ASSERT_EQ(data.Port_Error, 0);
  host.Link.Begin_Exchange();
  d.advance(500);
  EXPECT_EQ(host.Link.Link_State, 3);
  EXPECT_EQ(host.blockPhases, 1);
  EXPECT_EQ(program.panel(2), "与对讲机数据通讯正常");
  EXPECT_EQ(program.panel(7), "");  // the 8-byte frame is not decoded here
}

// The pause the link uses, none at all, and a long one.
INSTANTIATE_TEST_SUITE_P(Link, EightByteCode, ::testing::Values(j5::Byte_Pause_Ms, 0.0, 10.0));

}  // namespace
}  // namespace j5test
