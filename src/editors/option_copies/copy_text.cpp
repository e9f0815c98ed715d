#include "editors/option_copies/copy_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/tables.h"
#include "platform/runtime.h"
#include "platform/utf8.h"

namespace j5::copy {

namespace {

int Digit_Value(char c) {
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

// A value far beyond any radio's range (a pasted 1E300) is held so the arithmetic stays whole.
double Held(double v) {
  return std::clamp(v, -1e9, 1e9);
}

}  // namespace

std::vector<std::string> Offset_Items() {
  std::vector<std::string> items;
  items.reserve(kOffsetItems);
  char buf[16];
  for (int i = 0; i < kOffsetItems; ++i) {
    const int v = 50 * i;
    std::snprintf(buf, sizeof buf, "%02d.%03d", v / 1000, v % 1000);
    items.emplace_back(buf);
  }
  return items;
}

int Offset_Index(const std::array<int, 6>& bytes) {
  std::string joined;
  for (int b : bytes) joined += std::to_string(b);
  const double q = Held(rt::Val_Unbounded(joined)) / 50;
  if (q > kOffsetItems - 1) return kOffsetItems - 1;
  return std::max(0, static_cast<int>(std::nearbyint(q)));
}

std::string Freq_Accepted_Text(double mhz) {
  double m = std::floor(mhz);
  double k = std::floor((mhz - m) * 1000 + 0.5);
  if (k >= 1000) {  // the rounded kHz reached the next MHz
    m += 1;
    k = 0;
  }
  const double n = std::floor(mhz * 1000 + 0.5);
  const double c = std::floor((mhz * 1000 - n) * 100 + 0.5);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.0f.%03.0f%s", m, k, c < 25 ? "00" : c < 50 ? "25" : "50");
  return buf;
}

std::array<int, 8> Freq_Pack_Digits(const std::string& text) {
  std::string s = rt::Trim(text);
  if (s.size() == 8) s = "0" + s;
  std::array<int, 8> out{};
  constexpr std::array<std::size_t, 8> kChars = {0, 1, 2, 4, 5, 6, 7, 8};
  for (std::size_t i = 0; i < 8; ++i) out[i] = kChars[i] < s.size() ? Digit_Value(s[kChars[i]]) : 0;
  return out;
}

Pwd_Problem Pwd_Check(const std::string& text) {
  const std::string s = rt::Trim(text);
  if (s.empty()) return Pwd_Problem::None;
  if (kit::utf8::length(s) != 6) return Pwd_Problem::Length;
  // Six digits exactly: the radio keys in digits only, so any other character is refused.
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })
             ? Pwd_Problem::None
             : Pwd_Problem::Range;
}

std::array<int, 6> Pwd_Pack(const std::string& text) {
  const std::string s = rt::Trim(text);
  std::array<int, 6> out{};
  std::size_t pos = 0;
  for (int& digit : out) {
    if (pos >= s.size()) break;
    const char32_t c = kit::utf8::decode(s, pos);
    digit = c >= U'0' && c <= U'9' ? static_cast<int>(c - U'0') : 0;
  }
  return out;
}

std::array<int, 2> Limit_Pack(const std::string& text) {
  const int v = std::clamp(static_cast<int>(std::floor(Held(rt::Val_Unbounded(text)))), 0, 999);
  return {v / 100, (v / 10 % 10) * 16 + v % 10};
}

std::string Limit_Text(int h, int t) {
  return std::to_string(h & 15) + std::to_string(t / 16) + std::to_string(t % 16);
}

std::optional<int> Count_Accepted(const std::string& text) {
  const double v = rt::Val_Unbounded(text);
  if (v < 1 || v > 128) return std::nullopt;
  return static_cast<int>(std::nearbyint(v));
}

std::string Number_Text(double value) {
  return rt::Trim(rt::Str(value));
}

}  // namespace j5::copy
