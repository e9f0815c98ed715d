#include "sim/options.h"

#include <gtest/gtest.h>

#include "sim/serve_wait.h"

namespace {

using sim::FrameKind;
using sim::Misbehaviour;

TEST(ServerOptions, DefaultsAndEveryOption) {
  auto d = sim::parseServerOptions({});
  EXPECT_TRUE(d.pacing);
  EXPECT_FALSE(d.logFrames);
  EXPECT_EQ(d.radio.identForm, sim::IdentForm::Ident14);

  auto o = sim::parseServerOptions(
      {"--ident", "8", "--bands", "140,170,410,470,300,310", "--load", "in.dat", "--dump",
       "out.dat", "--pacing", "off", "--log", "--reply-delay", "5", "--min-read", "0", "--fault",
       "late,on=read,skip=2,count=always,ms=1500", "--fault", "stray-byte,byte=0x55"});
  EXPECT_EQ(o.radio.identForm, sim::IdentForm::Ident8);
  EXPECT_EQ(o.radio.bands.vhfLow, 140);
  EXPECT_EQ(o.radio.bands.uhf1High, 310);
  EXPECT_EQ(o.loadFile, "in.dat");
  EXPECT_EQ(o.dumpFile, "out.dat");
  EXPECT_FALSE(o.pacing);
  EXPECT_TRUE(o.logFrames);
  EXPECT_EQ(o.radio.replyDelay, 5000);
  EXPECT_EQ(o.radio.minReadLength, 0);
  ASSERT_EQ(o.faults.size(), 2u);
  EXPECT_EQ(o.faults[0].what, Misbehaviour::Late);
  EXPECT_EQ(o.faults[0].answering, FrameKind::ReadRequest);
  EXPECT_EQ(o.faults[0].skip, 2);
  EXPECT_EQ(o.faults[0].count, sim::Fault::kAlways);
  EXPECT_EQ(o.faults[0].delay, 1'500'000);
  EXPECT_EQ(o.faults[1].what, Misbehaviour::StrayByte);
  EXPECT_EQ(o.faults[1].byte, 0x55);
  EXPECT_EQ(o.faults[1].count, 1);
  EXPECT_EQ(sim::parseServerOptions({"--ident", "50"}).radio.identForm, sim::IdentForm::Ident50);
  EXPECT_EQ(sim::parseServerOptions({"--ident", "dec"}).radio.identForm, sim::IdentForm::Ident8Dec);
  EXPECT_FALSE(d.radio.ackAfterIdent);
  EXPECT_EQ(
      sim::parseServerOptions({"--ack-after-ident", "3", "--ident", "dec"}).radio.ackAfterIdent,
      3000);
}

TEST(ServerOptions, RejectsWhatItCannotServe) {
  for (std::vector<std::string> args :
       std::vector<std::vector<std::string>>{{"--ident", "12"},
                                             {"--ident"},
                                             {"--bands", "1,2,3"},
                                             {"--ident", "8", "--bands", "250,260,400,520,0,0"},
                                             {"--pacing", "maybe"},
                                             {"--fault", "sulk"},
                                             {"--fault", "late,on=nothing"},
                                             {"--fault", "late,ms=-4"},
                                             {"--fault", "extra-byte,byte=256"},
                                             {"--fault", "silence,count=0"},
                                             {"--min-read", "300"},
                                             {"--ack-after-ident", "3"},
                                             {"--ident", "dec", "--ack-after-ident", "-1"},
                                             {"--frobnicate"}}) {
    EXPECT_THROW(sim::parseServerOptions(args), sim::UsageError) << args[0];
  }
}

// The longest delays the options allow (an hour each, and both at once) are waited out in
// pieces of at most a second; a short one is waited just past its end.
TEST(ServerOptions, EveryDelayGivesAWaitTheServerCanSleep) {
  auto o =
      sim::parseServerOptions({"--reply-delay", "3600000", "--fault", "late,on=code,ms=3600000"});
  const double farthest = static_cast<double>(o.radio.replyDelay + o.faults[0].delay);
  const struct {
    double left;
    long sec, nsec;
  } cases[] = {
      {0.4, 0, 1000},        {1041.7, 0, 1'042'000}, {999'999.5, 1, 0},
      {2'147'484'000, 1, 0}, {farthest, 1, 0},
  };
  for (const auto& c : cases) {
    const timespec t = sim::waitUntilDue(5'000'000 + c.left, 5'000'000);
    EXPECT_EQ(t.tv_sec, c.sec) << c.left;
    EXPECT_EQ(t.tv_nsec, c.nsec) << c.left;
  }
}

}  // namespace
