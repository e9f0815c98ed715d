// The two-byte tone codec that the channel, option and option copy windows share.
#include "data/codecs.h"

#include <gtest/gtest.h>

#include <optional>

#include "data/tables.h"

namespace j5 {
namespace {

TEST(ToneCode, TonesAsTheirTwoBytes) {
  const struct {
    double hz;
    std::optional<Tone_Bytes> bytes;
  } cases[] = {
      {67.0, Tone_Bytes{0x9E, 0x02}},
      {88.5, Tone_Bytes{0x75, 0x03}},
      {259.9, Tone_Bytes{0x27, 0x0A}},
      {25.6, Tone_Bytes{0x00, 0x01}},
      {25.59, Tone_Bytes{0x00, 0x01}},  // 255.9 tenths: rounded as a whole, into the high byte
      {0.25, Tone_Bytes{0x02, 0x00}},   // 2.5 tenths: a half to even
      {6553.5, Tone_Bytes{0xFF, 0xFF}},
      {6553.6, std::nullopt},
      {-0.1, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(Tone_Code_Bytes(c.hz), c.bytes) << c.hz;
  EXPECT_EQ(Tone_Code_Text(0x9E, 0x02), "67.0");
  EXPECT_EQ(Tone_Code_Text(0xE1, 0x02), "73.7");
  EXPECT_EQ(Tone_Code_Text(0x00, 0x01), "25.6");
}

// The option window's list (CTCSS items 1..2000, DCS from 2001, a DCS number past the codes
// selecting nothing) and the copies' list (CTCSS items 1..50, DCS from 51, such a number off).
TEST(ToneCode, WhatATonesListShowsAndWhatItsPicksStore) {
  const struct {
    int low, high;
    int dcsOffset, unknownDcs;
    int index;
    const char* text;
  } shown[] = {
      {0x9E, 0x02, kDcsListOffset, -1, -1, "67.0"},
      {0x01, 0x00, kDcsListOffset, -1, 2001, nullptr},
      {0xD2, 0x00, kDcsListOffset, -1, 2210, nullptr},
      {0x00, 0x00, kDcsListOffset, -1, 0, nullptr},
      {0xFF, 0xFF, kDcsListOffset, -1, 0, nullptr},
      {0xFF, 0x03, kDcsListOffset, -1, 0, nullptr},
      {211, 0x00, kDcsListOffset, -1, -1, nullptr},
      {254, 0x00, kDcsListOffset, -1, -1, nullptr},
      {0x00, 0x01, kDcsListOffset, -1, -1, "25.6"},
      {0xE1, 0x02, kDcsNameOffset, 0, -1, "73.7"},
      {0x01, 0x00, kDcsNameOffset, 0, 51, nullptr},
      {0x00, 0xFF, kDcsNameOffset, 0, 0, nullptr},
      {211, 0x00, kDcsNameOffset, 0, 0, nullptr},
  };
  for (const auto& c : shown) {
    const Tone_Shown s = Tone_List_Shown(c.low, c.high, c.dcsOffset, c.unknownDcs);
    if (c.text) {
      EXPECT_EQ(s.text, c.text) << c.low << "," << c.high;
    } else {
      EXPECT_FALSE(s.text) << c.low << "," << c.high;
      EXPECT_EQ(s.index, c.index) << c.low << "," << c.high;
    }
  }
  const struct {
    int index;
    const char* text;
    int dcsOffset;
    Tone_Bytes bytes;
  } picks[] = {
      {0, "OFF", kDcsListOffset, {0, 0}},        {286, "88.5", kDcsListOffset, {117, 3}},
      {2000, "259.9", kDcsListOffset, {39, 10}}, {2210, "D754I", kDcsListOffset, {210, 0}},
      {51, "D023N", kDcsNameOffset, {1, 0}},     {-1, "100", kDcsNameOffset, {0xE8, 0x03}},
      {-1, "1e999", kDcsNameOffset, {0, 0}},     {-1, "70000", kDcsNameOffset, {0, 0}},
  };
  for (const auto& p : picks)
    EXPECT_EQ(Tone_Pick_Code(p.index, p.text, p.dcsOffset), p.bytes) << p.index << " " << p.text;
}

}  // namespace
}  // namespace j5
