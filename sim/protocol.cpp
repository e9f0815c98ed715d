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
    case FrameKind::AltAccessCode:
      return "alt-access-code";
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
    case FrameKind::Ident50:
      return "ident50";
    case FrameKind::Ident8Dec:
      return "ident8dec";
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

namespace {

void appendDigits(std::vector<std::uint8_t>& f, int mhz) {
  f.insert(f.end(), {static_cast<std::uint8_t>(mhz / 100), static_cast<std::uint8_t>(mhz / 10 % 10),
                     static_cast<std::uint8_t>(mhz % 10)});
}

void appendText(std::vector<std::uint8_t>& f, std::string_view text) {
  f.insert(f.end(), text.begin(), text.end());
}

}  // namespace

std::vector<std::uint8_t> ident50Frame(const BandLimits& l) {
  std::vector<std::uint8_t> f{kIdentStart};
  for (int mhz : {l.vhfLow, l.vhfHigh, l.uhf0Low, l.uhf0High}) appendDigits(f, mhz);
  f.resize(17, 0);
  appendText(f, "J5-VHF");
  appendText(f, "180128");
  f.resize(33, 0);
  appendText(f, "J5 HANDHELD RADI");
  f.push_back(kIdent50End);
  return f;
}

std::vector<std::uint8_t> ident8DecFrame(const BandLimits& l) {
  std::vector<std::uint8_t> f{kIdentStart};
  appendDigits(f, l.vhfLow);
  appendDigits(f, l.vhfHigh);
  f.push_back(kIdentDecEnd);
  return f;
}

std::vector<std::uint8_t> identFrame(IdentForm form, const BandLimits& limits) {
  switch (form) {
    case IdentForm::Ident14:
      return ident14Frame(limits);
    case IdentForm::Ident8:
      return ident8Frame(limits);
    case IdentForm::Ident50:
      return ident50Frame(limits);
    case IdentForm::Ident8Dec:
      return ident8DecFrame(limits);
  }
  return ident14Frame(limits);
}

FrameKind identKind(IdentForm form) {
  switch (form) {
    case IdentForm::Ident14:
      return FrameKind::Ident14;
    case IdentForm::Ident8:
      return FrameKind::Ident8;
    case IdentForm::Ident50:
      return FrameKind::Ident50;
    case IdentForm::Ident8Dec:
      return FrameKind::Ident8Dec;
  }
  return FrameKind::Ident14;
}

void checkBandLimits(IdentForm form, const BandLimits& l) {
  if (form == IdentForm::Ident50 || form == IdentForm::Ident8Dec) {
    requireRange(l.vhfLow, 0, 999, "VHF");
    requireRange(l.vhfHigh, 0, 999, "VHF");
    if (form == IdentForm::Ident8Dec) return;
    requireRange(l.uhf0Low, 0, 999, "UHF0");
    requireRange(l.uhf0High, 0, 999, "UHF0");
    return;
  }
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
