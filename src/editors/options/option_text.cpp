#include "editors/options/option_text.h"

#include <algorithm>
#include <cstdio>

#include "data/encodings.h"
#include "data/tables.h"
#include "platform/runtime.h"
#include "platform/utf8.h"

namespace j5::opt {

namespace {

std::string Whole_Text(double v) {
  return rt::Trim(rt::Str(rt::Int(v)));
}

}  // namespace

bool In_Band(double mhz, double low, double high) {
  return mhz >= low && mhz < high + 1;
}

long long Snap_Freq_Units(double mhz) {
  // Remainders are compared in whole hundredths of a kHz, so a frequency
  // typed with more decimals snaps as its first two decide; the 0.001 kHz
  // allowance keeps a value held just below a raster point on that point.
  const double k = mhz * 1000;
  const double a = rt::Int((k + 0.001) / 2.5);
  const double ra = rt::Int((k - 2.5 * a) * 100) / 100;
  const double b = rt::Int((k + 0.001) / 6.25);
  const double rb = rt::Int((k - 6.25 * b) * 100) / 100;
  return rb >= ra ? static_cast<long long>(a) * 250 : static_cast<long long>(b) * 625;
}

long long Freq_Store_Units(double mhz) {
  // The highest raster point eight digits hold: 999.99750 MHz.
  constexpr long long kHighest = 99999750;
  return std::clamp(Snap_Freq_Units(std::clamp(mhz, 0.0, 1000.0)), 0LL, kHighest);
}

bool Band_Holds_A_Frequency(double low, double high) {
  return In_Band(Freq_Store_Units(rt::Val_Or_Zero(Freq_Below_Text(low))) / 100000.0, low, high);
}

Freq_Digits Freq_To_Digits(long long units) {
  Freq_Digits d{};
  for (int i = 7; i >= 0; --i) {
    d[static_cast<std::size_t>(i)] = static_cast<int>(units % 10);
    units /= 10;
  }
  return d;
}

std::string Freq_Digits_Text(const Freq_Digits& d) {
  auto digit = [](int v) { return v >= 0 && v <= 9 ? std::string(1, char('0' + v)) : ""; };
  std::string text;
  if (d[0] >= 1 && d[0] <= 9) text += digit(d[0]);
  text += digit(d[1]) + digit(d[2]) + ".";
  for (std::size_t i = 3; i < 8; ++i) text += digit(d[i]);
  return text;
}

std::string Freq_Below_Text(double low) {
  return Whole_Text(low) + ".02500";
}

std::string Freq_Above_Text(double high) {
  return Whole_Text(high - 1) + ".62500";
}

std::string Freq_Box_Text(const std::string& text) {
  return kit::utf8::length(text) <= kFreqChars ? text : "";
}

std::string Range_Text(double low, double high) {
  return rt::Trim(rt::Str(low)) + " - " + rt::Trim(rt::Str(high)) + ".99750";
}

int Offset_Grid_kHz(double mhz) {
  return 5 * static_cast<int>(rt::Int((mhz * 1000 + 0.001) / 5));
}

std::string Offset_Text(int kHz) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d.%03d", kHz / 1000 % 100, kHz % 1000);
  return buf;
}

std::array<int, 6> Offset_To_Digits(int kHz) {
  return {0, kHz / 10000 % 10, kHz / 1000 % 10, kHz / 100 % 10, kHz / 10 % 10, kHz % 10};
}

std::string Offset_Digits_Text(const std::array<int, 6>& bytes) {
  int kHz = 0;
  for (std::size_t i = 1; i < 6; ++i) {
    const int v = bytes[i];
    kHz = kHz * 10 + (v >= 0 && v <= 9 ? v : 0);
  }
  return Offset_Text(kHz);
}

std::string Tone_Typed_Text(const std::string& text) {
  std::string s = rt::Trim(text);
  // Only a text that is one plain number as a whole is rewritten: "88.5.1"
  // or "8 8.5" would read as another tone than the user typed.
  const bool digits =
      !s.empty() && std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  const bool plain =
      std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
  if (!digits || !plain || std::count(s.begin(), s.end(), '.') > 1) return s;
  const double v = rt::Val_Or_Zero(s);
  if (v >= 60 && v <= 259.9) s = Tone_Text(v);
  return s;
}

Pon_Bytes Pon_Encode(const std::string& text) {
  const std::string s = rt::Trim(text);
  Pon_Bytes out;
  out.fill(0x20);
  const int count = kit::utf8::length(s);
  const int n = std::min(count, 7);
  const int start = count >= 7 ? 0 : (7 - n) / 2;
  std::size_t pos = 0;
  for (int i = 0; i < n; ++i) {
    const std::size_t from = pos;
    kit::utf8::decode(s, pos);
    out[static_cast<std::size_t>(start + i)] = Cov_Char2b(s.substr(from, pos - from));
  }
  return out;
}

std::string Pon_Decode(const Pon_Bytes& bytes) {
  std::string text;
  for (int b : bytes) text += Cov_b2Char(b);
  return rt::Trim(text);
}

std::optional<int> Chann_Count_Of(const std::string& text) {
  const double v = rt::Val_Or_Zero(text);
  if (v < 1 || v > 128) return std::nullopt;
  return rt::CInt(v);
}

}  // namespace j5::opt
