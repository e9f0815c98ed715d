// Rule 7: timers.
#include <gtest/gtest.h>

#include "test_window.h"

namespace {

using kit_test::Fixture;

struct TimerFixture : Fixture {
  kit_test::TestWindow* w = nullptr;
  TimerFixture() {
    w = &open();
    w->Timer1.Tick = [this] { log("T1@" + now()); };
    w->Timer2.Tick = [this] { log("T2@" + now()); };
  }
  std::string now() const { return std::to_string(static_cast<int>(platform.nowMs())); }
};

TEST(Timer, PeriodicAndIntervalZeroNeverFires) {
  TimerFixture f;
  f.w->Timer2.setInterval(0);
  f.w->Timer1.setInterval(100);
  f.driver.advance(350);
  f.w->Timer1.setEnabled(false);
  f.driver.advance(500);
  EXPECT_EQ(f.log.joined(), "T1@100 T1@200 T1@300");
}

TEST(Timer, AssigningTheIntervalRestartsEnablingAgainDoesNot) {
  TimerFixture f;
  auto& t = f.w->Timer1;
  t.setInterval(100);
  f.driver.advance(80);
  t.setInterval(100);  // same value: still a restart
  f.driver.advance(80);
  t.setEnabled(true);  // already enabled: nothing
  f.driver.advance(40);
  EXPECT_EQ(f.log.joined(), "T1@180");
  // A disabled timer keeps its interval and starts counting when enabled.
  t.setEnabled(false);
  t.setInterval(50);
  f.driver.advance(100);
  t.setEnabled(true);
  f.driver.advance(60);
  EXPECT_EQ(f.log.joined(), "T1@180 T1@350");
}

TEST(Timer, OverdueFiresOnceAndTicksNeverNestInAHandler) {
  TimerFixture f;
  f.w->Timer1.setInterval(100);
  f.w->Command1.Click = [&] {
    f.platform.pauseMs(350);  // busy: three periods pass
    f.log("click done");
  };
  f.driver.advance(50);
  f.driver.click(f.w->Command1);
  f.driver.advance(0);
  f.driver.advance(100);
  EXPECT_EQ(f.log.joined(), "Text1.LostFocus Command1.GotFocus click done T1@400 T1@500");
}

TEST(Timer, TimersDueTogetherFireInArmingOrder) {
  TimerFixture f;
  f.w->Timer2.setInterval(100);
  f.w->Timer1.setInterval(100);
  f.driver.advance(100);
  f.w->Timer2.setInterval(100);  // re-armed: now after Timer1
  f.driver.advance(100);
  EXPECT_EQ(f.log.joined(), "T2@100 T1@100 T1@200 T2@200");
}

TEST(Timer, ATimerSetUpBeforeTheLoadStartsWhenTheFormLoads) {
  kit::HeadlessPlatform p;
  kit_test::Log log;
  struct W : kit_test::TestWindow {
    W(kit::Platform& p, kit_test::Log& l) : TestWindow(p, l) {
      Timer1.setInterval(200);
      Timer1.Tick = [this] { this->log("tick"); };
    }
  };
  kit::FormSlot<W> slot{[&] { return std::make_unique<W>(p, log); }};
  p.advance(1000);  // not loaded yet
  slot.load();
  p.advance(200);
  EXPECT_EQ(log.joined(), "Load Activate Text1.GotFocus tick");
}

}  // namespace
