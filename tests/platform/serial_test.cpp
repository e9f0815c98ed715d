// Rule 8 and the serial control on the headless virtual line.
#include <gtest/gtest.h>

#include "test_window.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using kit_test::Fixture;

// Answers each byte with itself as soon as it has arrived, and remembers
// when each byte came.
struct Echo : kit::SerialDevice {
  std::vector<double> arrivals;
  Bytes got;
  int closes = 0;
  bool quiet = false;
  void receive(std::uint8_t b, double atMs, kit::SerialDeviceLink& link) override {
    arrivals.push_back(atMs);
    got.push_back(b);
    if (!quiet) link.send({b}, atMs);
  }
  void closed(double) override { ++closes; }
};

// The device outlives the window that has it open.
struct EchoHolder {
  Echo echo;
};

struct SerialFixture : EchoHolder, Fixture {
  kit_test::TestWindow* w = nullptr;
  std::vector<std::string> events;
  SerialFixture() {
    platform.attachDevice(2, echo);
    w = &open();
    auto& msc = w->MSC;
    msc.setCommPort(2);
    msc.setSettings("9600,N,8,1");
    msc.setInputLen(1);
    msc.setRThreshold(1);
    msc.setInputMode(1);
    msc.setPortOpen(true);
    msc.OnComm = [this] {
      events.push_back(std::to_string(w->MSC.commEvent()) + ":" +
                       std::to_string(w->MSC.inBufferCount()) + "@" +
                       std::to_string(static_cast<int>(platform.nowMs() * 1000)));
    };
  }
};

constexpr double kByte = kit::kByteMs9600;

TEST(SerialLine, BytesTakeTheirWireTimeBothWays) {
  SerialFixture f;
  f.w->MSC.output({1, 2, 3});
  EXPECT_EQ(f.w->MSC.outBufferCount(), 3);
  f.driver.advance(10);
  ASSERT_EQ(f.echo.arrivals.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(f.echo.arrivals[i], (i + 1) * kByte);
  EXPECT_EQ(f.w->MSC.outBufferCount(), 0);
  // Each echo starts when its byte has arrived and takes one byte time.
  EXPECT_EQ(f.events, (std::vector<std::string>{"2:1@2083", "2:2@3125", "2:3@4166"}));
  EXPECT_EQ(f.platform.sent(2).size(), 3u);
  EXPECT_DOUBLE_EQ(f.platform.sent(2)[2].atMs, 2 * kByte);
}

TEST(SerialLine, InputTakesInputLenBytesAndNothingFromAnEmptyBuffer) {
  SerialFixture f;
  auto& msc = f.w->MSC;
  EXPECT_TRUE(msc.input().empty());
  msc.output({0x06, 0x02, 0xAA});
  f.driver.advance(10);
  EXPECT_EQ(msc.input(), Bytes{0x06});
  msc.setInputLen(0);
  EXPECT_EQ(msc.input(), (Bytes{0x02, 0xAA}));
  EXPECT_TRUE(msc.input().empty());

  // Bytes that came in while a handler held the thread wait in the driver: emptying the
  // buffer drops them too, so they raise no event and are not read later.
  f.w->Command1.Click = [&] {
    f.platform.pauseMs(5);
    msc.setInBufferCount(0);
  };
  const auto events = f.events.size();
  msc.output({0x58});
  f.driver.advance(1.5);  // the echo is on its way back
  f.driver.click(f.w->Command1);
  f.driver.advance(10);
  EXPECT_EQ(f.events.size(), events);
  EXPECT_TRUE(msc.input().empty());
}

TEST(OnComm, RaisedFromTheLoopOncePerArrivalWhileTheBufferReachesTheThreshold) {
  SerialFixture f;
  auto& msc = f.w->MSC;
  // Bytes that arrive while a handler holds the thread come as one arrival
  // after it, never inside Output or the handler.
  f.w->Command1.Click = [&] {
    msc.output({1, 2, 3});
    f.platform.pauseMs(20);
    f.events.push_back("click done");
  };
  f.driver.click(f.w->Command1);
  EXPECT_EQ(f.events, (std::vector<std::string>{"click done", "2:3@20000"}));

  // Bytes left in the buffer after a handler raise nothing by themselves.
  f.events.clear();
  f.driver.advance(100);
  EXPECT_TRUE(f.events.empty());
  msc.setInBufferCount(0);  // discards
  EXPECT_EQ(msc.inBufferCount(), 0);

  // With a threshold of 3, the first two single arrivals raise nothing.
  msc.setRThreshold(3);
  msc.output({4, 5, 6, 7});
  f.driver.advance(10);
  EXPECT_EQ(f.events, (std::vector<std::string>{"2:3@124166", "2:4@125208"}));

  // Threshold 0: no receive events at all.
  f.events.clear();
  msc.setRThreshold(0);
  msc.output({8});
  f.driver.advance(10);
  EXPECT_TRUE(f.events.empty());
  EXPECT_EQ(msc.inBufferCount(), 5);
}

// A window that refuses to close says why in a box; under that box its
// exchange must go on, and only a decided unload stops it.
TEST(OnComm, TimersAndTheLineKeepRunningWhileTheUnloadHandlerDecides) {
  for (const int refuse : {1, 0}) {
    SCOPED_TRACE(refuse ? "refused" : "accepted");
    SerialFixture f;
    auto& w = *f.w;
    w.Timer1.Tick = [&] {
      f.events.push_back("tick@" + std::to_string(static_cast<int>(f.platform.nowMs())));
      w.MSC.output({0x55});
    };
    w.Timer1.setInterval(100);
    w.Unload = [&](int& cancel) {
      f.platform.messageBox("busy");
      cancel = refuse;
    };
    f.platform.onMessageBox = [&](const kit::MessageBoxRecord&) { f.platform.advance(250); };
    EXPECT_EQ(f.slot.unload(), refuse == 0);
    f.platform.onMessageBox = nullptr;
    f.driver.advance(140);
    std::vector<std::string> want{"tick@100", "2:1@102083", "tick@200", "2:2@202083"};
    if (refuse) want.insert(want.end(), {"tick@300", "2:3@302083"});
    EXPECT_EQ(f.events, want);
    EXPECT_EQ(f.platform.serialHeld(2), refuse == 1);
  }
}

TEST(PortOpen, AMissingOrHeldPortFailsCatchablyAndSendsNothing) {
  SerialFixture f;
  kit_test::Log log2;
  kit::FormSlot<kit_test::TestWindow> other{
      [&] { return std::make_unique<kit_test::TestWindow>(f.platform, log2); }};
  auto& msc2 = other.load().MSC;
  msc2.setCommPort(2);  // held by the first window
  EXPECT_THROW(msc2.setPortOpen(true), kit::PortError);
  msc2.setCommPort(9);  // does not exist
  EXPECT_THROW(msc2.setPortOpen(true), kit::PortError);
  EXPECT_FALSE(msc2.portOpen());
  EXPECT_THROW(msc2.output({1}), kit::PortError);
  EXPECT_TRUE(f.platform.sent(9).empty());
  // Also held within one window: opening again is an error.
  EXPECT_THROW(f.w->MSC.setPortOpen(true), kit::PortError);
  EXPECT_THROW(f.w->MSC.setCommPort(3), kit::PortError);

  f.w->MSC.setPortOpen(false);
  msc2.setCommPort(2);
  EXPECT_NO_THROW(msc2.setPortOpen(true));
}

TEST(PortOpen, ClosingDrainsOutputAndDropsRepliesAndDiscardStopsUnsentBytes) {
  SerialFixture f;
  auto& msc = f.w->MSC;
  msc.output({1, 2, 3, 4, 5});
  msc.setPortOpen(false);
  f.driver.advance(20);
  EXPECT_EQ(f.echo.arrivals.size(), 5u);  // all went out
  EXPECT_TRUE(f.events.empty());          // their echoes found the port closed
  EXPECT_EQ(f.echo.closes, 1);

  msc.setPortOpen(true);
  f.echo.arrivals.clear();
  msc.output({1, 2, 3, 4, 5});
  f.driver.advance(1.5);  // the first byte is through, the second on the wire
  msc.setOutBufferCount(0);
  f.driver.advance(20);
  EXPECT_EQ(f.echo.arrivals.size(), 2u);
}

// Closing lets what was written go on leaving; a new opening of the port puts its bytes on the
// same wire after them, one byte time each, never in between.
TEST(PortOpen, ANewOpeningsBytesFollowWhatTheClosedOneStillHadOnTheWire) {
  SerialFixture f;
  f.echo.quiet = true;
  auto& msc = f.w->MSC;
  msc.output({1, 2, 3, 4, 5});
  f.driver.advance(1.5);
  msc.setPortOpen(false);
  msc.setPortOpen(true);
  msc.output({6, 7});
  f.driver.advance(20);
  EXPECT_EQ(f.echo.got, (Bytes{1, 2, 3, 4, 5, 6, 7}));
  ASSERT_EQ(f.echo.arrivals.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i)
    EXPECT_NEAR(f.echo.arrivals[i], static_cast<double>(i + 1) * kByte, 1e-9) << i;
}

}  // namespace
