#include "sim/protocol.h"

#include <stdexcept>
#include <string>

namespace sim {

namespace {

std::uint8_t bcd(int value) {
  return static_cast<std::uint8_t>((value / 10) << 4 | value % 10);
}

void requireRange(int mhz, int low, int high, const char* what) {
  if (mhz < low || mhz > high) {
    throw std::invalid_argument(std::string(what) + " limit " + std::to_string(mhz) +
                                " MHz cannot be sent (allowed " + std::to_string(low) + " to " +
                                std::to_string(high) + ")");
  }
}

}  // namespace

std::string_view frameKindName(FrameKind kind) {
  switch (kind) {
    case FrameKind::AccessCode:
      return "access-code";
    case FrameKind::Stx:
      return "stx";
    case FrameKind::Ack:
      return "ack";
    case FrameKind::ReadRequest:
      return "read-request";
    case FrameKind::DataFrame:
      return "data-frame";
    case FrameKind::ShortRowFrame:
      return "short-row-frame";
    case FrameKind::Ident14:
      return "ident14";
    case FrameKind::Ident8:
      return "ident8";
    case FrameKind::Stray:
      return "stray";
    case FrameKind::Unknown:
      return "unknown";
  }
  return "?";
}

std::array<std::uint8_t, 2> bandLimitPair(int mhz) {
  return {static_cast<std::uint8_t>(mhz / 100), bcd(mhz % 100)};
}

std::vector<std::uint8_t> ident14Frame(const BandLimits& l) {
  std::vector<std::uint8_t> f{kIdentStart};
  for (int mhz : {l.vhfLow, l.vhfHigh, l.uhf0Low, l.uhf0High, l.uhf1Low, l.uhf1High}) {
    auto pair = bandLimitPair(mhz);
    f.insert(f.end(), pair.begin(), pair.end());
  }
  f.push_back(kIdentEnd);
  return f;
}

std::vector<std::uint8_t> ident8Frame(const BandLimits& l) {
  auto low = bandLimitPair(l.uhf0Low);
  auto high = bandLimitPair(l.uhf0High);
  return {kIdentStart, bcd(l.vhfLow - 100), bcd(l.vhfHigh - 100), low[0], low[1], high[0], high[1],
          kIdentEnd};
}

std::vector<std::uint8_t> identFrame(IdentForm form, const BandLimits& limits) {
  return form == IdentForm::Ident14 ? ident14Frame(limits) : ident8Frame(limits);
}

void checkBandLimits(IdentForm form, const BandLimits& l) {
  if (form == IdentForm::Ident8) {
    requireRange(l.vhfLow, 100, 199, "VHF");
    requireRange(l.vhfHigh, 100, 199, "VHF");
  } else {
    requireRange(l.vhfLow, 0, 25599, "VHF");
    requireRange(l.vhfHigh, 0, 25599, "VHF");
    requireRange(l.uhf1Low, 0, 25599, "UHF1");
    requireRange(l.uhf1High, 0, 25599, "UHF1");
  }
  requireRange(l.uhf0Low, 0, 25599, "UHF0");
  requireRange(l.uhf0High, 0, 25599, "UHF0");
}

}  // namespace sim
