// Each opening of the link engine through the real stack: the Qt platform offscreen, its serial
// line on the pseudo-terminal of a running j5-radio-sim told which identification form to answer
// with. Each transfer's description opens, identifies the radio and reads the first two blocks of
// its plan; the identification-only openings stop at the identification.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "link/link_engine.h"
#include "link/transfers.h"
#include "qt_fixture.h"
#include "shell/program.h"
#include "sim/memory.h"
#include "sim/sim_process.h"

namespace {

class Host : public kit::Form, public j5::Link_Listener {
 public:
  explicit Host(j5::Program& p) : kit::Form(p.platform, "Host"), Link(*this, p.data, *this) {}
  j5::Link_Engine Link;
  std::map<int, std::vector<std::uint8_t>> blocks;
  bool identified = false, done = false, failed = false;

  void Link_Identified(const j5::Ident_Frame&) override { identified = true; }
  void Link_Block_Stored(int step, std::uint16_t, std::span<const std::uint8_t> data) override {
    blocks[step].assign(data.begin(), data.end());
  }
  void Link_Done() override { done = true; }
  void Link_Failed() override { failed = true; }
};

struct Opening {
  const char* name;
  const j5::Transfer_Description& (*link)();
  const char* ident;
  j5::Read_Plan (*read)();
  friend void PrintTo(const Opening& o, std::ostream* os) { *os << o.name; }
};

j5::Read_Plan Channel_Read() {
  return j5::Channel_Read_Plan(128);
}

class LinkOpeningOverPty : public ::testing::TestWithParam<Opening> {};

TEST_P(LinkOpeningOverPty, IdentifiesAndReadsTwoBlocks) {
  qt_test::testApp();
  const auto dir = std::filesystem::temp_directory_path() /
                   ("j5-open-qt-" + std::to_string(::getpid()) + GetParam().name);
  std::filesystem::create_directories(dir);
  const std::string loadFile = (dir / "radio.dat").string();
  sim::Memory radio;
  for (int a = 0; a < 0x1E10; ++a)
    radio.set(static_cast<std::uint16_t>(a), static_cast<std::uint8_t>(a * 7 + a / 256));
  sim::saveParamFile(loadFile, radio);
  sim::loadParamFile(loadFile, radio);  // what the radio holds: the file's rows, 0xFF beyond
  simtest::SimProcess sim(J5_SIM_BIN, {"--ident", GetParam().ident, "--load", loadFile});
  qputenv("J5_SERIAL_PORTS", QByteArray::fromStdString(sim.ptyPath()));
  {
    kit::qt::QtPlatform platform;
    j5::Program program(platform);
    j5::Fill_Access_Code(program.data);
    program.data.Comm_Port = 1;
    kit::FormSlot<Host> slot{[&] { return std::make_unique<Host>(program); }};
    Host& host = slot.load();

    j5::Read_Plan plan;
    if (GetParam().read) {
      plan = GetParam().read();
      plan.steps.resize(2);
      plan.then_write = false;
      ASSERT_TRUE(host.Link.Start(GetParam().link(), plan));
    } else {
      ASSERT_TRUE(host.Link.Start(GetParam().link()));
    }
    ASSERT_TRUE(qt_test::waitUntil([&] { return host.done || host.failed; }, 20000));
    EXPECT_TRUE(host.identified);
    EXPECT_TRUE(host.done);
    ASSERT_EQ(host.blocks.size(), plan.steps.size());
    for (int k = 0; k < static_cast<int>(plan.steps.size()); ++k)
      EXPECT_EQ(host.blocks[k], radio.read(plan.steps[static_cast<std::size_t>(k)].address, 64));
    EXPECT_FALSE(host.Link.MSC.portOpen());
    slot.unload();
  }
  qunsetenv("J5_SERIAL_PORTS");
  std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    Link, LinkOpeningOverPty,
    ::testing::Values(Opening{"Full", j5::Whole_Read_Link, "14", j5::Whole_Read_Plan},
                      Opening{"IdentOnly14", j5::Startup_Ident_Link, "14", nullptr},
                      Opening{"IdentOnly8", j5::Port_Window_Link, "8", nullptr},
                      Opening{"PortWindow14", j5::Port_Window_Link, "14", nullptr},
                      Opening{"FullEightByteCode", j5::Password_Link, "8", j5::Option_Read_Plan},
                      Opening{"Direct", j5::Channel_Link, "8", Channel_Read},
                      Opening{"DirectPaced", j5::Option_Link, "8", j5::Option_Read_Plan},
                      Opening{"Ident50", j5::Signalling_Link, "50", j5::Tone2_Read_Plan},
                      Opening{"Ident8Dec", j5::Fm_Link, "dec", j5::Fm_Read_Plan}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
