#include "editors/signalling/tone_codecs.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "data/five_tone.h"
#include "data/lang_text.h"
#include "platform/runtime.h"
#include "platform/utf8.h"

namespace j5::tone {

namespace {

using Bytes = std::span<const std::int16_t>;
using Out = std::span<std::int16_t>;

int Word(Bytes b, std::size_t at) {
  return (b[at] & 0xFF) + 256 * (b[at + 1] & 0xFF);
}

void Put_Word(Out b, std::size_t at, int v) {
  b[at] = static_cast<std::int16_t>(v % 256);
  b[at + 1] = static_cast<std::int16_t>(v / 256);
}

std::string Hz_Text(int hz) {
  return std::to_string(hz) + ".0";
}

// Whole Hz of a cell text, Int(Val + 0.5), when it fits two bytes.
std::optional<int> Whole_Hz(std::string_view text) {
  const double h = rt::Int(rt::Val_Unbounded(text) + 0.5);
  if (h < 0 || h > 65535) return std::nullopt;
  return static_cast<int>(h);
}

std::string Lang(const Shared_Data& d, std::size_t first, int entry) {
  return d.Lang_Text[first + static_cast<std::size_t>(entry)];
}

}  // namespace

int Tone_Count(double hz) {
  if (!(hz > 0)) return -1;
  const double ticks = rt::Int(1000 / hz / kToneTick + 0.5);
  return ticks > 65535 ? -1 : static_cast<int>(ticks);
}

fields::Codec Encode_Tone_Codec() {
  return {2,
          [](Bytes b) {
            const int hz = Word(b, 0);
            return hz < 300 || hz > 3000 ? std::string() : Hz_Text(hz);
          },
          [](Out b, std::string_view text) {
            if (rt::Trim(text).empty()) return false;
            const auto hz = Whole_Hz(text).value_or(0);
            Put_Word(b, 0, hz);
            return true;
          }};
}

fields::Codec Pair_Codec() {
  return {1,
          [](Bytes b) {
            const int v = b[0];
            return v >= 0 && v < 12 ? std::string(kPairText[static_cast<std::size_t>(v)])
                                    : std::string();
          },
          [](Out b, std::string_view text) {
            const std::string t = rt::Trim(text);
            int v = 0xFF;
            for (std::size_t i = 0; i < kPairText.size(); ++i)
              if (t == kPairText[i]) v = static_cast<int>(i);
            b[0] = static_cast<std::int16_t>(v);
            return true;
          }};
}

fields::Codec Response_Codec(const Shared_Data& data) {
  return {1,
          [&data](Bytes b) {
            const int v = b[0];
            if (v == 0xFF) return std::string();
            return Lang(data, kTone2ResponseFirst, v >= 0 && v <= 3 ? v : 0);
          },
          [](Out b, std::string_view text) {
            const std::string first = rt::Trim(rt::Trim(text).substr(0, 1));
            b[0] = static_cast<std::int16_t>(
                first.empty() ? 0xFF : static_cast<int>(std::lround(rt::Val(first))));
            return true;
          }};
}

fields::Codec Alert_Codec() {
  return {1,
          [](Bytes b) {
            const int v = b[0];
            return v >= 0 && v <= 16 ? std::to_string(v) : std::string();
          },
          [](Out b, std::string_view text) {
            const std::string t = rt::Trim(text);
            // An alert beyond a byte cannot be stored: none then.
            const double n = std::nearbyint(rt::Val_Unbounded(t));
            b[0] = static_cast<std::int16_t>(t.empty() || n < 0 || n > 255 ? 0xFF : n);
            return true;
          }};
}

fields::Codec Tone_Set_Codec() {
  return {10,
          [](Bytes b) {
            const int hz = Word(b, 0);
            return hz == 0 || hz == 0xFFFF ? std::string() : Hz_Text(hz);
          },
          [](Out b, std::string_view text) {
            if (rt::Trim(text).empty()) return false;
            const auto hz = Whole_Hz(text);
            const int ticks = hz ? Tone_Count(rt::Val(text)) : -1;
            if (!hz || ticks < 0) return false;
            Put_Word(b, 0, *hz);
            Put_Word(b, 8, ticks);
            return true;
          }};
}

std::vector<std::string> Characters(std::string_view text) {
  const std::string s(text);
  std::vector<std::string> out;
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t from = pos;
    kit::utf8::decode(s, pos);
    if (pos == from) ++pos;  // never stand still on a broken sequence
    out.push_back(s.substr(from, pos - from));
  }
  return out;
}

int Digit_Value(std::string_view ch) {
  if (ch.size() != 1) return 0xFF;
  const char c = ch[0];
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0xFF;
}

std::string Digit_Char(int value) {
  if (value >= 0 && value <= 9) return std::string(1, static_cast<char>('0' + value));
  if (value >= 10 && value <= 15) return std::string(1, static_cast<char>('A' + value - 10));
  return " ";
}

fields::Codec Code_Codec() {
  return {5,
          [](Bytes b) {
            std::string s;
            for (const auto v : b) s += Digit_Char(v);
            return s;
          },
          [](Out b, std::string_view text) {
            std::vector<std::string> chars = Characters(rt::Trim(text));
            chars.resize(std::max<std::size_t>(chars.size(), 5), " ");
            for (std::size_t i = 0; i < 5; ++i)
              b[i] = static_cast<std::int16_t>(Digit_Value(chars[i]));
            return true;
          }};
}

fields::Codec Standard_Codec() {
  return {1, [](Bytes b) { return Std_Index2Name(b[0]); },
          [](Out b, std::string_view text) {
            std::string name(text);
            b[0] = static_cast<std::int16_t>(Std_Name2Index(name));
            return true;
          }};
}

fields::Codec Function_Codec(const Shared_Data& data) {
  return {1, [&data](Bytes b) { return Get_Call_Type(data, b[0]); },
          [](Out b, std::string_view text) {
            const std::string t = rt::Trim(text);
            int v = 0xFF;
            if (!t.empty()) v = t[0] >= '0' && t[0] <= '9' ? t[0] - '0' : 0;
            b[0] = static_cast<std::int16_t>(v);
            return true;
          }};
}

fields::Codec Period_Codec() {
  return {1, [](Bytes b) { return std::to_string(10 * b[0]); },
          [](Out b, std::string_view text) {
            const double units = rt::Int(rt::Val_Or_Zero(rt::Trim(text)) / 10);
            if (units < 0 || units > 255) return false;
            b[0] = static_cast<std::int16_t>(units);
            return true;
          }};
}

fields::Codec Digit_Codec() {
  return {1, [](Bytes b) { return Digit_Char(b[0]); },
          [](Out b, std::string_view text) {
            b[0] = static_cast<std::int16_t>(Digit_Value(rt::Trim(text)));
            return true;
          }};
}

}  // namespace j5::tone
